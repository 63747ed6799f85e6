// A file's results as bytes, for sending them from a worker process to the run: every field,
// so that the results read back equal the ones written; and the input the run sends a worker.
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

// A worker sends a file's results one page at a time, as each is done, so that the pages
// done survive a crash on a later one and the time limit counts for each page; this message
// (encoded results are never empty) ends the file.
inline constexpr std::string_view FileDoneMessage{};

std::string EncodeResults(const TFileResult& results);

// Throws EBadResultBytes when the bytes end early or run on.
TFileResult DecodeResults(std::string_view bytes);

// The input's path and the file to read (its error is never sent: such an input is not scanned).
std::string EncodeInput(const TInput& input);
// Throws EBadResultBytes when the bytes end early or run on.
TInput DecodeInput(std::string_view bytes);

} // namespace VelScan
