// The process-wide limit on the number of pixels of one picture. Every decoder checks a
// picture's declared size against it before allocating any pixel memory.
#pragma once

#include <cstdint>

namespace Host {

// 2^28 pixels (16384 x 16384): 1 GiB at 32 bits per pixel.
inline constexpr uint64_t DefaultMaxPicturePixels = uint64_t{1} << 28;

uint64_t MaxPicturePixels();
void SetMaxPicturePixels(uint64_t pixels);

} // namespace Host
