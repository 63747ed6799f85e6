#include "Bilinear.h"

#include <cmath>
#include <cstddef>

namespace Vel {

namespace {

int At(TGrayPlane in, int x, int y) {
    return in.Data[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.Width) +
                   static_cast<std::size_t>(x)];
}

} // namespace

std::uint8_t SampleBilinear(TGrayPlane in, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    if (x0 < 0 || y0 < 0 || x0 + 1 >= in.Width || y0 + 1 >= in.Height)
        return 255;
    const double fx = x - x0;
    const double fy = y - y0;
    const double top = At(in, x0, y0) * (1 - fx) + At(in, x0 + 1, y0) * fx;
    const double bottom = At(in, x0, y0 + 1) * (1 - fx) + At(in, x0 + 1, y0 + 1) * fx;
    return static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
}

} // namespace Vel
