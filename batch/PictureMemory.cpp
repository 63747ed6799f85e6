#include "PictureMemory.h"

#include <vel/host/PixelLimit.h>

#include <cstdio>

namespace VelBatch {

std::uint64_t PictureMemory(std::uint64_t width, std::uint64_t height, bool drawnPage) {
    return drawnPage ? width * height * 6 : width * height * 11 / 2;
}

std::string ByteSizeText(std::uint64_t bytes) {
    constexpr std::uint64_t MiB = 1 << 20;
    constexpr std::uint64_t GiB = 1 << 30;
    if (bytes < MiB)
        return std::to_string(bytes) + " bytes";
    if (bytes < GiB)
        return std::to_string((bytes + MiB - 1) / MiB) + " MiB";
    if (bytes % GiB == 0)
        return std::to_string(bytes / GiB) + " GiB";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", static_cast<double>(bytes) / GiB);
    return text;
}

TPictureReservation::TPictureReservation(TMemoryBudget& budget, unsigned slot,
                                         std::uint64_t allowedPixels, bool drawnPage)
    : FBudget(budget), FSlot(slot), FAllowedPixels(allowedPixels), FDrawnPage(drawnPage) {
    Host::SetPictureSizeObserver(
        [this](std::uint64_t width, std::uint64_t height) { Reserve(width, height); });
}

TPictureReservation::~TPictureReservation() {
    Host::SetPictureSizeObserver({});
    if (FReserved)
        FBudget.Release(FSlot);
}

void TPictureReservation::Reserve(std::uint64_t width, std::uint64_t height) {
    if (FReserved)
        return;
    if (width * height > FAllowedPixels)
        throw EFilePixels("page of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels not read: only " + std::to_string(FAllowedPixels) +
                          " pixels are left of those its file's pages may hold together "
                          "(--max-file-pixels)");
    const std::uint64_t bytes = PictureMemory(width, height, FDrawnPage);
    if (bytes > FBudget.Bytes())
        throw EOverBudget("picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels needs about " + ByteSizeText(bytes) +
                          " to read and scan, more than the memory budget of " +
                          ByteSizeText(FBudget.Bytes()) + " (--memory-budget)");
    FBudget.Reserve(FSlot, bytes);
    FReserved = true;
}

} // namespace VelBatch
