#include "vel/host/PixelLimit.h"

#include <atomic>

namespace Host {

namespace {
std::atomic<uint64_t> MaxPixels{DefaultMaxPicturePixels};
} // namespace

uint64_t MaxPicturePixels() {
    return MaxPixels.load(std::memory_order_relaxed);
}

void SetMaxPicturePixels(uint64_t pixels) {
    MaxPixels.store(pixels, std::memory_order_relaxed);
}

} // namespace Host
