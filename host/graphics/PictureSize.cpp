#include "PictureSize.h"

#include "vel/host/Errors.h"
#include "vel/host/PixelLimit.h"

#include <climits>
#include <string>

namespace Host {

void CheckPictureSize(const char* kind, uint64_t width, uint64_t height) {
    CheckPictureLimit(kind, width, height);
    ObservePictureSize(width, height);
}

void CheckPictureLimit(const char* kind, uint64_t width, uint64_t height) {
    const auto size = [&] {
        return std::to_string(width) + " x " + std::to_string(height);
    };
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        throw EInvalidGraphic(
            FromAnsi(std::string(kind) + " picture has an invalid size of " + size() + " pixels"));
    if (width * height > MaxPicturePixels())
        throw EPixelLimit(FromAnsi(std::string(kind) + " picture of " + size() +
                                   " pixels exceeds the limit of " +
                                   std::to_string(MaxPicturePixels()) + " pixels"));
}

void CheckPageChoice(const TPageChoice& choice) {
    if (choice.Index < 0)
        throw EInvalidGraphic(FromAnsi("Invalid page index " + std::to_string(choice.Index) +
                                       ": pages count from 0"));
    if (choice.Resolution < 1)
        throw EInvalidGraphic(FromAnsi("Invalid resolution of " +
                                       std::to_string(choice.Resolution) + " dots per inch"));
}

void CheckPageCount(const char* kind, uint64_t count, const TPageChoice& choice,
                    bool countStopped) {
    if (count == 0)
        throw EInvalidGraphic(FromAnsi(std::string(kind) + " picture holds no page"));
    if (count > MaxPicturePages)
        throw EInvalidGraphic(FromAnsi(
            std::string(kind) + " picture holds " + (countStopped ? "more than " : "") +
            std::to_string(countStopped ? MaxPicturePages : count) + " pages, more than the " +
            std::to_string(MaxPicturePages) + " pages a file may hold"));
    if (static_cast<uint64_t>(choice.Index) >= count)
        throw EInvalidGraphic(FromAnsi("There is no page " + std::to_string(choice.Index + 1) +
                                       ": the " + kind + " picture has " + std::to_string(count) +
                                       (count == 1 ? " page" : " pages")));
}

void CheckScanline(int row, int height) {
    if (row < 0 || row >= height)
        throw EInvalidGraphic(FromAnsi("Scan line index " + std::to_string(row) +
                                       " out of range (height " + std::to_string(height) + ")"));
}

} // namespace Host
