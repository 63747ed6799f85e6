#include "WorkImage.h"

#include <cmath>

namespace Vel {

TReadPoint TPointMap::Apply(int u, int v) const noexcept {
    const double uv = static_cast<double>(u) * v;
    return {static_cast<int>(std::lround(Xu * u + Xv * v + X0 + Xuv * uv)),
            static_cast<int>(std::lround(Yu * u + Yv * v + Y0 + Yuv * uv))};
}

TGrayPlane SizeBuffer(std::vector<std::uint8_t>& buffer, int width, int height) {
    buffer.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return {buffer.data(), width, height};
}

} // namespace Vel
