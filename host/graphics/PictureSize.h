// The size checks of pictures: the one every decoder and SetSize run before allocating
// pixels, and the one for the row a caller asks for.
#pragma once

#include "vel/host/Graphic.h"

#include <cstdint>

namespace Host {

// Raises EInvalidGraphic naming the kind ("BMP", "PNG", ...) when the size is zero, does
// not fit a signed 32-bit integer, or holds more pixels than MaxPicturePixels(); then tells
// the thread's picture size observer, which may refuse the picture too.
void CheckPictureSize(const char* kind, uint64_t width, uint64_t height);
// The same without telling the observer: for a decoder that checks more before allocating.
void CheckPictureLimit(const char* kind, uint64_t width, uint64_t height);

// Calls the calling thread's picture size observer, if any.
void ObservePictureSize(uint64_t width, uint64_t height);

// Raises EInvalidGraphic for a negative page index or a resolution below 1.
void CheckPageChoice(const TPageChoice& choice);

// Raises EInvalidGraphic naming the kind when a file holds no page or more than
// MaxPicturePages, or when the choice's index is past its last page. countStopped: the count
// stopped past the limit, so the file holds at least that many.
void CheckPageCount(const char* kind, uint64_t count, const TPageChoice& choice,
                    bool countStopped = false);

// Raises EInvalidGraphic when row is not one of the picture's rows 0 to height - 1.
void CheckScanline(int row, int height);

} // namespace Host
