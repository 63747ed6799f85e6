// A picture given on standard input (--stdin-picture), kept in a private temporary file
// ($TMPDIR, else /tmp; mode 0600) so that a worker process can read it like any picture file.
// The file is removed when the object goes, as the run ends, or when SIGINT, SIGTERM or
// SIGHUP ends the program before.
#pragma once

#include "RemovalOnSignal.h"
#include "vel/batch/Inputs.h"

#include <cstdint>
#include <optional>
#include <string>

namespace VelBatch {

// The most bytes a picture on standard input may hold: 8 bytes a pixel of the pixel limit
// (an uncompressed 16-bit RGBA picture of that size) and 16 MiB for the rest of its file.
std::uint64_t MaxStdinPictureBytes(std::uint64_t maxPixels);

class TStdinPicture {
public:
    // Copies everything on the descriptor into the temporary file. What goes wrong (a
    // terminal, nothing to read, a read error, more than maxBytes, no temporary file) is the
    // input's error.
    TStdinPicture(int fd, std::uint64_t maxBytes);
    ~TStdinPicture();
    TStdinPicture(const TStdinPicture&) = delete;
    TStdinPicture& operator=(const TStdinPicture&) = delete;

    // The input to scan: shown as "-", read from the temporary file.
    const TInput& Input() const { return FInput; }

private:
    void Spool(int fd, std::uint64_t maxBytes);

    TInput FInput;
    std::optional<TRemovalOnSignal> FRemovalOnSignal;
};

} // namespace VelBatch
