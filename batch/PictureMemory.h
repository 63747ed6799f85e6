// What a picture costs in memory, and holding that in the run's budget while the picture is
// read and scanned.
#pragma once

#include "MemoryBudget.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace VelBatch {

// A picture that alone needs more memory than the budget; the message gives both.
class EOverBudget : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A page past the pixels its file may hold together (--max-file-pixels).
class EFilePixels : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The peak memory of reading and scanning a picture of the size: its 32-bit pixels and the
// gray bytes made from them, about 5.5 bytes a pixel at every effort (the pixels are given up
// before the passes run, and every effort's working images fit in what they leave: measured
// alike, see bench/RESULTS.md). An annotated picture keeps its pixels and is not counted
// apart.
// A PDF page drawn by poppler takes about 6 (drawn in gray, then spread into the pixels; a
// page's embedded pictures decoded beside them).
std::uint64_t PictureMemory(std::uint64_t width, std::uint64_t height, bool drawnPage = false);

// A number of bytes for a message: "800 bytes", "47 MiB", "1.5 GiB".
std::string ByteSizeText(std::uint64_t bytes);

// While it lives, the calling thread reserves the memory of the picture it reads in the
// budget, under the worker's slot, before the pixels are allocated, waiting until it fits.
// The first picture size the decoder declares is the picture's: later ones (frames, copies
// the scan makes) are covered by its reservation. A picture that alone needs more than the
// budget raises EOverBudget instead, and one of more pixels than allowed (what is left of its
// file's pixels) EFilePixels. The reservation is freed at the end.
class TPictureReservation {
public:
    TPictureReservation(TMemoryBudget& budget, unsigned slot,
                        std::uint64_t allowedPixels = UINT64_MAX, bool drawnPage = false);
    ~TPictureReservation();
    TPictureReservation(const TPictureReservation&) = delete;
    TPictureReservation& operator=(const TPictureReservation&) = delete;

private:
    void Reserve(std::uint64_t width, std::uint64_t height);

    TMemoryBudget& FBudget;
    const unsigned FSlot;
    const std::uint64_t FAllowedPixels;
    const bool FDrawnPage;
    bool FReserved = false;
};

} // namespace VelBatch
