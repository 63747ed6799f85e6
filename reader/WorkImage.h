// The image a pass hands to ZBar, and how its coordinates map back to the picture's.
#pragma once

#include "ReadBarcode.h"

#include <cstdint>
#include <vector>

namespace Vel {

// The map from a pass image's pixel (u, v) to the picture's:
// x = Xu u + Xv v + X0 + Xuv u v, y = Yu u + Yv v + Y0 + Yuv u v. Affine but for a
// straightened quadrilateral, whose map is bilinear.
struct TPointMap {
    double Xu = 1, Xv = 0, X0 = 0;
    double Yu = 0, Yv = 1, Y0 = 0;
    double Xuv = 0, Yuv = 0;

    TReadPoint Apply(int u, int v) const noexcept;
};

// A gray image owned by a pass's working buffer.
struct TWorkImage {
    TGrayPlane View;
    TPointMap Map;
};

// Resizes a working buffer to width x height bytes (keeping its capacity) and returns a view
// of it.
TGrayPlane SizeBuffer(std::vector<std::uint8_t>& buffer, int width, int height);

} // namespace Vel
