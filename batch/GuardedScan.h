// One input's results, made the same way whether the picture is scanned in this process or in
// a worker process: an input that could not be listed keeps its error, and any exception of
// the scan but a run error becomes the file's one error result, with no barcodes and no
// warning.
#pragma once

#include "Inputs.h"
#include "ScanResult.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

namespace VelScan {

// A failure of the run rather than of the picture (a worker process that cannot be started):
// it is never the picture's result, which a resumed run would take as done; it stops the run.
class ERunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message of the exception being handled, for a picture's error.
inline std::string CurrentFailure() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "not enough memory to read and scan the picture";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unexpected failure while scanning the picture";
    }
}

// The error result of the input's path.
inline TFileResult FileError(const TInput& input, std::string error) {
    TPictureResult result;
    result.Path = input.Path;
    result.Error = std::move(error);
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
        return FileError(input, CurrentFailure());
    }
}

} // namespace VelScan
