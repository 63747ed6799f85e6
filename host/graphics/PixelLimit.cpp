#include "vel/host/PixelLimit.h"

#include "PictureSize.h"

#include <atomic>
#include <utility>

namespace Host {

namespace {
std::atomic<uint64_t> MaxPixels{DefaultMaxPicturePixels};
thread_local TPictureSizeObserver SizeObserver;
} // namespace

uint64_t MaxPicturePixels() {
    return MaxPixels.load(std::memory_order_relaxed);
}

void SetMaxPicturePixels(uint64_t pixels) {
    MaxPixels.store(pixels, std::memory_order_relaxed);
}

TPictureSizeObserver SetPictureSizeObserver(TPictureSizeObserver observer) {
    return std::exchange(SizeObserver, std::move(observer));
}

void ObservePictureSize(uint64_t width, uint64_t height) {
    if (SizeObserver)
        SizeObserver(width, height);
}

} // namespace Host
