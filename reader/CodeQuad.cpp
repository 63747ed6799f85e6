#include "CodeQuad.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace Vel {

namespace {

// Gradients smaller than this (the Sobel sum of absolute values) are noise, not edges.
constexpr int EdgeStrength = 64;

// The share of a cell's sampled pixels on edges that makes it part of a code.
constexpr double BusyShare = 0.1;

// The smallest region taken for a code, in cells.
constexpr int SmallestRegion = 16;

// A code's region fills its convex hull; a photograph's textured regions seldom do.
constexpr double Compact = 0.7;

// The longest a quadrilateral may be for its width (PDF417 is the longest code looked for).
constexpr double LongestAspect = 3;

int At(TGrayPlane in, int x, int y) {
    return in.Data[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.Width) +
                   static_cast<std::size_t>(x)];
}

bool OnEdge(TGrayPlane in, int x, int y) {
    const int gx = At(in, x + 1, y - 1) + 2 * At(in, x + 1, y) + At(in, x + 1, y + 1) -
                   At(in, x - 1, y - 1) - 2 * At(in, x - 1, y) - At(in, x - 1, y + 1);
    const int gy = At(in, x - 1, y + 1) + 2 * At(in, x, y + 1) + At(in, x + 1, y + 1) -
                   At(in, x - 1, y - 1) - 2 * At(in, x, y - 1) - At(in, x + 1, y - 1);
    return std::abs(gx) + std::abs(gy) >= EdgeStrength;
}

// The picture divided into square cells, one flag or label per cell.
struct TCells {
    int Size = 0;
    int Columns = 0;
    int Rows = 0;
    std::vector<int> Values;

    int& operator()(int column, int row) {
        return Values[static_cast<std::size_t>(row) * static_cast<std::size_t>(Columns) +
                      static_cast<std::size_t>(column)];
    }
    bool Inside(int column, int row) const {
        return column >= 0 && row >= 0 && column < Columns && row < Rows;
    }
};

// Calls visit(x, y) for every other pixel of every other row of the cell whose Sobel
// gradient is an edge's.
template <typename TVisit>
void EdgesIn(TGrayPlane in, int size, int column, int row, TVisit visit) {
    const int top = std::max(1, row * size | 1);
    const int left = std::max(1, column * size | 1);
    for (int y = top; y < std::min(in.Height - 1, (row + 1) * size); y += 2)
        for (int x = left; x < std::min(in.Width - 1, (column + 1) * size); x += 2)
            if (OnEdge(in, x, y))
                visit(x, y);
}

TCells BusyCells(TGrayPlane in) {
    TCells cells;
    cells.Size = std::max(4, std::max(in.Width, in.Height) / 64);
    cells.Columns = (in.Width + cells.Size - 1) / cells.Size;
    cells.Rows = (in.Height + cells.Size - 1) / cells.Size;
    cells.Values.assign(static_cast<std::size_t>(cells.Columns) * cells.Rows, 0);
    const double busy = BusyShare * cells.Size * cells.Size / 4;
    for (int row = 0; row < cells.Rows; ++row)
        for (int column = 0; column < cells.Columns; ++column) {
            int edges = 0;
            EdgesIn(in, cells.Size, column, row, [&edges](int, int) { ++edges; });
            cells(column, row) = edges >= busy ? 1 : 0;
        }
    return cells;
}

// Each cell set to whether any (grow) or every (!grow) cell around it is set.
void Morph(TCells& cells, bool grow) {
    TCells out = cells;
    for (int row = 0; row < cells.Rows; ++row)
        for (int column = 0; column < cells.Columns; ++column) {
            bool any = false;
            bool every = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    // Beyond the picture's edge neither grows nor shrinks a region.
                    const bool set = cells.Inside(column + dx, row + dy)
                                         ? cells(column + dx, row + dy) != 0
                                         : !grow;
                    any = any || set;
                    every = every && set;
                }
            out(column, row) = (grow ? any : every) ? 1 : 0;
        }
    cells = std::move(out);
}

bool AtEdge(const TCells& cells, int column, int row) {
    return column == 0 || row == 0 || column == cells.Columns - 1 || row == cells.Rows - 1;
}

// Labels the regions of set cells (4-connected) from 2 up; returns the label and size of the
// largest that keeps off the picture's edge (a code there is cut, or a photograph's texture).
std::pair<int, int> LargestRegion(TCells& cells) {
    std::pair<int, int> largest{0, 0};
    int label = 1;
    std::vector<std::pair<int, int>> stack;
    for (int row = 0; row < cells.Rows; ++row)
        for (int column = 0; column < cells.Columns; ++column) {
            if (cells(column, row) != 1)
                continue;
            ++label;
            int size = 0;
            bool atEdge = false;
            cells(column, row) = label;
            stack.emplace_back(column, row);
            while (!stack.empty()) {
                const auto [c, r] = stack.back();
                stack.pop_back();
                ++size;
                atEdge = atEdge || AtEdge(cells, c, r);
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    if (cells.Inside(c + dx, r + dy) && cells(c + dx, r + dy) == 1) {
                        cells(c + dx, r + dy) = label;
                        stack.emplace_back(c + dx, r + dy);
                    }
            }
            if (!atEdge && size > largest.second)
                largest = {label, size};
        }
    return largest;
}

double Cross(TPlanePoint o, TPlanePoint a, TPlanePoint b) {
    return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

// The convex hull (Andrew's monotone chain).
std::vector<TPlanePoint> Hull(std::vector<TPlanePoint> points) {
    std::sort(points.begin(), points.end(),
              [](TPlanePoint a, TPlanePoint b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
    if (points.size() < 3)
        return points;
    std::vector<TPlanePoint> hull(2 * points.size());
    std::size_t k = 0;
    for (const TPlanePoint& point : points) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], point) <= 0)
            --k;
        hull[k++] = point;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

double Area(const std::vector<TPlanePoint>& hull) {
    double twice = 0;
    for (std::size_t i = 0; i < hull.size(); ++i)
        twice += Cross({}, hull[i], hull[(i + 1) % hull.size()]);
    return std::abs(twice) / 2;
}

double Dot(TPlanePoint a, TPlanePoint b) {
    return a.X * b.X + a.Y * b.Y;
}

// The direction of the hull's smallest enclosing rectangle's first side, turned to within
// 45 degrees of the x axis, and the rectangle's extents along it and across it.
struct TFrame {
    TPlanePoint Along;
    TPlanePoint Across;
    double Length = 0;
    double Width = 0;
};

TFrame SmallestRectangle(const std::vector<TPlanePoint>& hull) {
    TFrame best;
    double bestArea = -1;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const TPlanePoint a = hull[i];
        const TPlanePoint b = hull[(i + 1) % hull.size()];
        const double length = std::hypot(b.X - a.X, b.Y - a.Y);
        if (length == 0)
            continue;
        double angle = std::atan2(b.Y - a.Y, b.X - a.X);
        angle -= std::round(angle / (std::numbers::pi / 2)) * (std::numbers::pi / 2);
        const TPlanePoint along{std::cos(angle), std::sin(angle)};
        const TPlanePoint across{-along.Y, along.X};
        double minAlong = Dot(hull[0], along), maxAlong = minAlong;
        double minAcross = Dot(hull[0], across), maxAcross = minAcross;
        for (const TPlanePoint& point : hull) {
            minAlong = std::min(minAlong, Dot(point, along));
            maxAlong = std::max(maxAlong, Dot(point, along));
            minAcross = std::min(minAcross, Dot(point, across));
            maxAcross = std::max(maxAcross, Dot(point, across));
        }
        const double area = (maxAlong - minAlong) * (maxAcross - minAcross);
        if (bestArea < 0 || area < bestArea) {
            bestArea = area;
            best = {along, across, maxAlong - minAlong, maxAcross - minAcross};
        }
    }
    return best;
}

struct TLine {
    TPlanePoint From;
    TPlanePoint To;
};

TPlanePoint Centre(const std::vector<TPlanePoint>& hull) {
    TPlanePoint sum;
    for (const TPlanePoint& point : hull) {
        sum.X += point.X;
        sum.Y += point.Y;
    }
    return {sum.X / double(hull.size()), sum.Y / double(hull.size())};
}

// The hull's longest edge whose outward normal is within 30 degrees of normal.
std::optional<TLine> Side(const std::vector<TPlanePoint>& hull, TPlanePoint normal) {
    const TPlanePoint centre = Centre(hull);
    std::optional<TLine> side;
    double longest = 0;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const TPlanePoint a = hull[i];
        const TPlanePoint b = hull[(i + 1) % hull.size()];
        const double length = std::hypot(b.X - a.X, b.Y - a.Y);
        if (length == 0)
            continue;
        TPlanePoint outward{(b.Y - a.Y) / length, -(b.X - a.X) / length};
        if (Dot(outward, {a.X - centre.X, a.Y - centre.Y}) < 0)
            outward = {-outward.X, -outward.Y};
        if (length > longest && Dot(outward, normal) > std::cos(std::numbers::pi / 6)) {
            longest = length;
            side = TLine{a, b};
        }
    }
    return side;
}

std::optional<TPlanePoint> Intersection(const TLine& first, const TLine& second) {
    const TPlanePoint d1{first.To.X - first.From.X, first.To.Y - first.From.Y};
    const TPlanePoint d2{second.To.X - second.From.X, second.To.Y - second.From.Y};
    const double denominator = d1.X * d2.Y - d1.Y * d2.X;
    if (std::abs(denominator) < 1e-9)
        return std::nullopt;
    const double t =
        ((second.From.X - first.From.X) * d2.Y - (second.From.Y - first.From.Y) * d2.X) /
        denominator;
    return TPlanePoint{first.From.X + t * d1.X, first.From.Y + t * d1.Y};
}

std::optional<TQuad> QuadOf(const std::vector<TPlanePoint>& hull) {
    const TFrame frame = SmallestRectangle(hull);
    if (std::min(frame.Length, frame.Width) < 16 ||
        std::max(frame.Length, frame.Width) > LongestAspect * std::min(frame.Length, frame.Width))
        return std::nullopt;
    const TPlanePoint up{-frame.Across.X, -frame.Across.Y};
    const TPlanePoint left{-frame.Along.X, -frame.Along.Y};
    const std::optional<TLine> top = Side(hull, up);
    const std::optional<TLine> right = Side(hull, frame.Along);
    const std::optional<TLine> bottom = Side(hull, frame.Across);
    const std::optional<TLine> leftSide = Side(hull, left);
    if (!top || !right || !bottom || !leftSide)
        return std::nullopt;
    const std::array corners = {Intersection(*leftSide, *top), Intersection(*top, *right),
                                Intersection(*right, *bottom), Intersection(*bottom, *leftSide)};
    // Sides that meet far from the hull (nearly parallel ones) outline no code.
    const TPlanePoint centre = Centre(hull);
    const double reach = std::hypot(frame.Length, frame.Width);
    TQuad quad;
    for (std::size_t corner = 0; corner < corners.size(); ++corner) {
        if (!corners[corner] ||
            std::hypot(corners[corner]->X - centre.X, corners[corner]->Y - centre.Y) > reach)
            return std::nullopt;
        quad[corner] = *corners[corner];
    }
    return quad;
}

} // namespace

std::optional<TQuad> FindCodeQuad(TGrayPlane in) {
    if (in.Width < 3 || in.Height < 3)
        return std::nullopt;
    TCells cells = BusyCells(in);
    Morph(cells, true);
    Morph(cells, false);
    const auto [label, size] = LargestRegion(cells);
    if (size < SmallestRegion)
        return std::nullopt;
    std::vector<TPlanePoint> edges;
    for (int row = 0; row < cells.Rows; ++row)
        for (int column = 0; column < cells.Columns; ++column)
            if (cells(column, row) == label)
                EdgesIn(in, cells.Size, column, row, [&edges](int x, int y) {
                    edges.push_back({double(x), double(y)});
                });
    const std::vector<TPlanePoint> hull = Hull(std::move(edges));
    const double cellArea = static_cast<double>(cells.Size) * cells.Size;
    if (hull.size() < 4 || size * cellArea < Compact * Area(hull))
        return std::nullopt;
    return QuadOf(hull);
}

} // namespace Vel
