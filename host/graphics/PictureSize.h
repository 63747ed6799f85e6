// The size check every decoder and SetSize run before allocating pixels.
#pragma once

#include <cstdint>

namespace Host {

// Raises EInvalidGraphic naming the kind ("BMP", "PNG", ...) when the size is zero, does
// not fit a signed 32-bit integer, or holds more pixels than MaxPicturePixels().
void CheckPictureSize(const char* kind, uint64_t width, uint64_t height);

} // namespace Host
