// The size checks of pictures: the one every decoder and SetSize run before allocating
// pixels, and the one for the row a caller asks for.
#pragma once

#include <cstdint>

namespace Host {

// Raises EInvalidGraphic naming the kind ("BMP", "PNG", ...) when the size is zero, does
// not fit a signed 32-bit integer, or holds more pixels than MaxPicturePixels().
void CheckPictureSize(const char* kind, uint64_t width, uint64_t height);

// Raises EInvalidGraphic when row is not one of the picture's rows 0 to height - 1.
void CheckScanline(int row, int height);

} // namespace Host
