#include "vel/host/PixelLimit.h"

#include "PictureSize.h"
#include "vel/host/Errors.h"

#include <atomic>
#include <climits>
#include <string>

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

void CheckPictureSize(const char* kind, uint64_t width, uint64_t height) {
    const auto size = [&] {
        return std::to_string(width) + " x " + std::to_string(height);
    };
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        throw EInvalidGraphic(
            FromAnsi(std::string(kind) + " picture has an invalid size of " + size() + " pixels"));
    if (width * height > MaxPicturePixels())
        throw EInvalidGraphic(FromAnsi(std::string(kind) + " picture of " + size() +
                                       " pixels exceeds the limit of " +
                                       std::to_string(MaxPicturePixels()) + " pixels"));
}

} // namespace Host
