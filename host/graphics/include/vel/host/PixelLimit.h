// The process-wide limit on the number of pixels of one picture. Every decoder checks a
// picture's declared size against it before allocating any pixel memory.
#pragma once

#include "vel/host/Export.h"
#include <cstdint>

namespace Host {

// 2^28 pixels (16384 x 16384): 1 GiB at 32 bits per pixel.
inline constexpr uint64_t DefaultMaxPicturePixels = uint64_t{1} << 28;

VEL_API uint64_t MaxPicturePixels();
VEL_API void SetMaxPicturePixels(uint64_t pixels);

} // namespace Host
