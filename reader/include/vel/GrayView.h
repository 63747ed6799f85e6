// TGrayView: a view of a caller's 8-bit gray pixels, which it neither owns nor copies.
#pragma once

#include "vel/host/Export.h"

#include <cstddef>
#include <cstdint>

namespace Vel {

// One byte per pixel, 0 black to 255 white, rows from the top, each row left to right; row y
// starts Stride bytes after row y - 1, so rows may carry padding after their Width pixels.
// The caller keeps the pixels alive and unchanged while the view is used.
class VEL_API TGrayView {
public:
    // Raises EVelError naming the values when width or height is negative, when stride is
    // below width, or when pixels is null for a view with pixels.
    TGrayView(const std::uint8_t* pixels, int width, int height, int stride);
    // Rows without padding: the stride is the width.
    TGrayView(const std::uint8_t* pixels, int width, int height)
        : TGrayView(pixels, width, height, width) {}

    const std::uint8_t* Pixels() const noexcept { return FPixels; }
    int Width() const noexcept { return FWidth; }
    int Height() const noexcept { return FHeight; }
    int Stride() const noexcept { return FStride; }

    // The first pixel of row y, 0 <= y < Height().
    const std::uint8_t* Row(int y) const noexcept {
        return FPixels + static_cast<std::ptrdiff_t>(y) * FStride;
    }

private:
    const std::uint8_t* FPixels;
    int FWidth;
    int FHeight;
    int FStride;
};

} // namespace Vel
