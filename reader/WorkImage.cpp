#include "WorkImage.h"

#include <cmath>

namespace Vel {

TReadPoint TPointMap::Apply(int u, int v) const noexcept {
    return {static_cast<int>(std::lround(Xu * u + Xv * v + X0)),
            static_cast<int>(std::lround(Yu * u + Yv * v + Y0))};
}

TGrayPlane SizeBuffer(std::vector<std::uint8_t>& buffer, int width, int height) {
    buffer.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return {buffer.data(), width, height};
}

} // namespace Vel
