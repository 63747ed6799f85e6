// The size checks of pictures: the one every decoder and SetSize run before allocating
// pixels, and the one for the row a caller asks for.
#pragma once

#include <cstdint>

namespace Host {

// Raises EInvalidGraphic naming the kind ("BMP", "PNG", ...) when the size is zero, does
// not fit a signed 32-bit integer, or holds more pixels than MaxPicturePixels(); then tells
// the thread's picture size observer, which may refuse the picture too.
void CheckPictureSize(const char* kind, uint64_t width, uint64_t height);

// Calls the calling thread's picture size observer, if any.
void ObservePictureSize(uint64_t width, uint64_t height);

// Raises EInvalidGraphic when row is not one of the picture's rows 0 to height - 1.
void CheckScanline(int row, int height);

} // namespace Host
