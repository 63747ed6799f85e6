// A picture's result as bytes, for sending it from a worker process to the run: every field,
// so that the result read back equals the one written. Also the input the run sends a worker.
#pragma once

#include "Inputs.h"
#include "ScanResult.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace VelScan {

// Bytes that are not a whole encoded result.
class EBadResultBytes : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string EncodeResult(const TPictureResult& result);

// Throws EBadResultBytes when the bytes end early or run on.
TPictureResult DecodeResult(std::string_view bytes);

// The input's path and the file to read (its error is never sent: such an input is not scanned).
std::string EncodeInput(const TInput& input);
// Throws EBadResultBytes when the bytes end early or run on.
TInput DecodeInput(std::string_view bytes);

} // namespace VelScan
