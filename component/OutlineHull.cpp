#include "OutlineHull.h"

#include <algorithm>
#include <cstdint>

namespace Vel {

namespace {

// Positive when b lies to the left of the line from origin through a (y growing upwards).
std::int64_t Cross(TPoint origin, TPoint a, TPoint b) {
    return std::int64_t{a.X - origin.X} * (b.Y - origin.Y) -
           std::int64_t{a.Y - origin.Y} * (b.X - origin.X);
}

std::vector<TPoint> MonotoneChain(std::vector<TPoint> points) {
    std::sort(points.begin(), points.end(),
              [](TPoint a, TPoint b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return points;
    std::vector<TPoint> hull(2 * points.size());
    std::size_t size = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        while (size >= 2 && Cross(hull[size - 2], hull[size - 1], points[i]) <= 0)
            --size;
        hull[size++] = points[i];
    }
    for (std::size_t i = points.size() - 1, lower = size + 1; i-- > 0;) {
        while (size >= lower && Cross(hull[size - 2], hull[size - 1], points[i]) <= 0)
            --size;
        hull[size++] = points[i];
    }
    hull.resize(size - 1);
    return hull;
}

} // namespace

std::vector<TPoint> OutlineHull(const std::vector<TPoint>& outline) {
    std::vector<TPoint> hull = MonotoneChain(outline);
    const auto first = std::find(hull.begin(), hull.end(), outline.empty() ? TPoint{} : outline[0]);
    if (outline.empty() || first == hull.end())
        return hull;
    std::rotate(hull.begin(), first, hull.end());
    if (hull.size() > 2 && outline.size() > 1 && hull.back() == outline[1])
        std::reverse(hull.begin() + 1, hull.end());
    return hull;
}

} // namespace Vel
