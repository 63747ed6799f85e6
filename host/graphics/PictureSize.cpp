#include "PictureSize.h"

#include "vel/host/Errors.h"
#include "vel/host/PixelLimit.h"

#include <climits>
#include <string>

namespace Host {

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
    ObservePictureSize(width, height);
}

void CheckScanline(int row, int height) {
    if (row < 0 || row >= height)
        throw EInvalidGraphic(FromAnsi("Scan line index " + std::to_string(row) +
                                       " out of range (height " + std::to_string(height) + ")"));
}

} // namespace Host
