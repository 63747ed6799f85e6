// Points and rectangles in picture pixels: x grows to the right and y downwards from the
// picture's top left pixel (0, 0).
#pragma once

#include "vel/host/Export.h"

namespace Vel {

struct VEL_API TPoint {
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// The pixels from column Left and row Top, Width pixels wide and Height pixels high.
struct VEL_API TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

} // namespace Vel
