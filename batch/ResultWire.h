// What the run and a worker process send each other, as bytes: the scan settings (once, as
// the worker starts), an input to scan, and a file's results; every field, so that what is
// read back equals what was written. Bytes that were not written so (cut, run on, a count
// larger than the bytes can hold) are refused with EBadResultBytes.
#pragma once

#include "vel/batch/Inputs.h"
#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace VelBatch {

// Bytes that are not a whole encoded message.
class EBadResultBytes : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A worker sends a file's results one page at a time, as each is done, so that the pages
// done survive a crash on a later one and the time limit counts for each page; this message
// (encoded results are never empty) ends the file.
inline constexpr std::string_view FileDoneMessage{};

std::string EncodeResults(const TFileResult& results);
TFileResult DecodeResults(std::string_view bytes);

// The input's path and the file to read (its error is never sent: such an input is not scanned).
std::string EncodeInput(const TInput& input);
TInput DecodeInput(std::string_view bytes);

std::string EncodeSettings(const TScanSettings& settings);
TScanSettings DecodeSettings(std::string_view bytes);

} // namespace VelBatch
