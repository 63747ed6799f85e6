#include "BullsEye.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace Vel {

namespace {

// The dark and light rings after the light centre.
constexpr int Rings = 5;

std::uint8_t At(TGrayPlane in, int x, int y) {
    return in.Data[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.Width) +
                   static_cast<std::size_t>(x)];
}

// The levels from the centre to the plane's edge in the direction (dx, dy).
std::vector<std::uint8_t> Ray(TGrayPlane in, int dx, int dy) {
    std::vector<std::uint8_t> levels;
    for (int x = in.Width / 2, y = in.Height / 2; x >= 0 && y >= 0 && x < in.Width && y < in.Height;
         x += dx, y += dy)
        levels.push_back(At(in, x, y));
    return levels;
}

// The rings' mean width along the ray; none where the runs are not the finder's.
std::optional<double> RingWidth(const std::vector<std::uint8_t>& ray, int threshold) {
    std::array<int, Rings + 1> runs{};
    std::size_t run = 0;
    bool dark = false; // the centre is light
    for (const std::uint8_t level : ray) {
        if ((level < threshold) != dark) {
            if (++run == runs.size())
                break;
            dark = !dark;
        }
        ++runs[run];
    }
    if (run < runs.size() || runs[0] == 0)
        return std::nullopt;
    double mean = 0;
    for (std::size_t ring = 1; ring < runs.size(); ++ring)
        mean += runs[ring];
    mean /= Rings;
    for (std::size_t ring = 1; ring < runs.size(); ++ring)
        if (runs[ring] < 0.6 * mean || runs[ring] > 1.4 * mean)
            return std::nullopt;
    if (runs[0] > 3 * mean)
        return std::nullopt;
    return mean;
}

} // namespace

bool HasBullsEyeAtCentre(TGrayPlane in) {
    const std::array<std::vector<std::uint8_t>, 4> rays = {Ray(in, 1, 0), Ray(in, -1, 0),
                                                           Ray(in, 0, 1), Ray(in, 0, -1)};
    int darkest = 255;
    int lightest = 0;
    for (const auto& ray : rays)
        for (const std::uint8_t level : ray) {
            darkest = std::min<int>(darkest, level);
            lightest = std::max<int>(lightest, level);
        }
    const int threshold = (darkest + lightest + 1) / 2;
    double narrowest = 0;
    double widest = 0;
    for (const auto& ray : rays) {
        const std::optional<double> width = RingWidth(ray, threshold);
        if (!width)
            return false;
        narrowest = narrowest == 0 ? *width : std::min(narrowest, *width);
        widest = std::max(widest, *width);
    }
    return widest <= 1.3 * narrowest;
}

} // namespace Vel
