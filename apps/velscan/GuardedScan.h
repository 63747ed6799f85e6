// One input's result, made the same way whether the picture is scanned in this process or in
// a worker process: an input that could not be listed keeps its error, and any exception of
// the scan becomes the picture's error, which leaves it no barcodes and no warning.
#pragma once

#include "Inputs.h"
#include "ScanResult.h"

#include <exception>
#include <new>

namespace VelScan {

// `scan(result)` fills in the result of the input's path.
template <class Scan> TPictureResult GuardedScan(const TInput& input, Scan&& scan) noexcept {
    TPictureResult result;
    result.Path = input.Path;
    result.Error = input.Error;
    if (result.Error)
        return result;
    try {
        scan(result);
    } catch (const std::bad_alloc&) {
        result.Error = "not enough memory to read and scan the picture";
    } catch (const std::exception& error) {
        result.Error = error.what();
    } catch (...) {
        result.Error = "unexpected failure while scanning the picture";
    }
    if (result.Error) {
        result.Barcodes.clear();
        result.Warning.reset();
    }
    return result;
}

} // namespace VelScan
