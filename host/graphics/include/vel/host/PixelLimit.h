// The process-wide limit on the number of pixels of one picture. Every decoder checks a
// picture's declared size against it before allocating any pixel memory.
#pragma once

#include "vel/host/Export.h"
#include <cstdint>
#include <functional>

namespace Host {

// 2^28 pixels (16384 x 16384): 1 GiB at 32 bits per pixel.
inline constexpr uint64_t DefaultMaxPicturePixels = uint64_t{1} << 28;

VEL_API uint64_t MaxPicturePixels();
VEL_API void SetMaxPicturePixels(uint64_t pixels);

// Told, on the calling thread, the declared size of every picture whose pixels are about to
// be allocated there, once the size has passed the limit; it may throw to refuse the picture
// (the decoder then fails with that exception). A program uses it to account for the memory
// pictures will take before they take it.
using TPictureSizeObserver = std::function<void(uint64_t width, uint64_t height)>;

// Installs the calling thread's observer (an empty one removes it); returns the previous one.
VEL_API TPictureSizeObserver SetPictureSizeObserver(TPictureSizeObserver observer);

} // namespace Host
