// The part of a picture that a scan reads: the component's scan rectangle cut to the picture.
#pragma once

#include <optional>

namespace Vel {

struct TScanArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Cuts the rectangle (left, top, width, height; all non-negative, a width or height of 0
// meaning "up to the picture's edge") to a picture of the given size. Nothing when the
// rectangle's top left corner lies at or beyond the picture's right or bottom edge.
std::optional<TScanArea> ClipScanArea(int pictureWidth, int pictureHeight, int left, int top,
                                      int width, int height) noexcept;

// The number of gray bytes of the area, Width x Height. Raises EVelError when that is more
// than the 32-bit data length that a ZBar image is given can carry.
int ScanAreaByteCount(const TScanArea& area);

} // namespace Vel
