// One input's results, made the same way whether the picture is scanned in this process or in
// a worker process: an input that could not be listed keeps its error, and any exception of
// the scan but a run error becomes the file's one error result, with no barcodes and no
// warning.
#pragma once

#include "vel/batch/Errors.h"
#include "vel/batch/Inputs.h"
#include "vel/batch/Result.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

namespace VelBatch {

// The result's error becomes the exception being handled: its message and its kind.
inline void SetCurrentFailure(TPageResult& result) {
    result.ErrorKind = TErrorKind::ekOther;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        result.Error = "not enough memory to read and scan the picture";
    } catch (const EPixelLimit& error) {
        result.Error = error.what();
        result.ErrorKind = TErrorKind::ekPixelLimit;
    } catch (const std::exception& error) {
        result.Error = error.what();
    } catch (...) {
        result.Error = "unexpected failure while scanning the picture";
    }
}

// The error result of the input's path.
inline TFileResult FileError(const TInput& input, std::string error) {
    TPageResult result;
    result.Path = input.Path;
    result.Error = std::move(error);
    result.ErrorKind = TErrorKind::ekOther;
    return {std::move(result)};
}

// `scan()` returns the results of the input's path. Throws only ERunError.
template <class Scan> TFileResult GuardedScan(const TInput& input, Scan&& scan) {
    if (input.Error)
        return FileError(input, *input.Error);
    try {
        return scan();
    } catch (const ERunError&) {
        throw;
    } catch (...) {
        TPageResult result;
        result.Path = input.Path;
        SetCurrentFailure(result);
        return {std::move(result)};
    }
}

} // namespace VelBatch
