#include "Straighten.h"

#include "Bilinear.h"
#include "CodeQuad.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Vel {

namespace {

// The longer side of a straightened code; a smaller one is enlarged to it.
constexpr double ReadableSide = 300;
constexpr double LargestEnlargement = 3;

double Distance(TPlanePoint a, TPlanePoint b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}

// The bilinear map from the rectangle of width x height pixels at (margin, margin) to the
// quadrilateral: its corners to the quadrilateral's, in order.
TPointMap QuadMap(const TQuad& quad, double width, double height, double margin) {
    const auto [topLeft, topRight, bottomRight, bottomLeft] = quad;
    // P(s, t) = TL + s (TR - TL) + t (BL - TL) + s t (TL - TR + BR - BL), with
    // s = (u - margin) / width and t = (v - margin) / height.
    const auto axis = [&](double tl, double tr, double br, double bl) {
        const double a = (tr - tl) / width;
        const double b = (bl - tl) / height;
        const double d = (tl - tr + br - bl) / (width * height);
        return std::array<double, 4>{a - d * margin, b - d * margin,
                                     tl - margin * (a + b) + d * margin * margin, d};
    };
    const auto x = axis(topLeft.X, topRight.X, bottomRight.X, bottomLeft.X);
    const auto y = axis(topLeft.Y, topRight.Y, bottomRight.Y, bottomLeft.Y);
    return {x[0], x[1], x[2], y[0], y[1], y[2], x[3], y[3]};
}

} // namespace

TWorkImage Straighten(TGrayPlane in, std::vector<std::uint8_t>& out) {
    const std::optional<TQuad> quad = FindCodeQuad(in);
    if (!quad)
        return {in, {}};
    const auto& [topLeft, topRight, bottomRight, bottomLeft] = *quad;
    const double width = std::max(Distance(topLeft, topRight), Distance(bottomLeft, bottomRight));
    const double height = std::max(Distance(topLeft, bottomLeft), Distance(topRight, bottomRight));
    const double scale =
        std::clamp(ReadableSide / std::max(width, height), 1.0, LargestEnlargement);
    const double margin = std::round(std::max(width, height) * scale / 5);
    const TPointMap map = QuadMap(*quad, width * scale, height * scale, margin);
    const TGrayPlane view =
        SizeBuffer(out, static_cast<int>(std::lround(width * scale + 2 * margin)),
                   static_cast<int>(std::lround(height * scale + 2 * margin)));
    std::uint8_t* pixel = out.data();
    for (int v = 0; v < view.Height; ++v)
        for (int u = 0; u < view.Width; ++u) {
            const double uv = static_cast<double>(u) * v;
            *pixel++ = SampleBilinear(in, map.Xu * u + map.Xv * v + map.X0 + map.Xuv * uv,
                                      map.Yu * u + map.Yv * v + map.Y0 + map.Yuv * uv);
        }
    return {view, map};
}

TWorkImage TurnQuarters(const TWorkImage& image, int turns, std::vector<std::uint8_t>& out) {
    const TGrayPlane in = image.View;
    const bool across = turns % 2 == 1;
    const TGrayPlane view =
        SizeBuffer(out, across ? in.Height : in.Width, across ? in.Width : in.Height);
    // The turned image's (u, v) is the image's (x, y) = (X0 + Xu u + Xv v, Y0 + Yu u + Yv v).
    const int w = in.Width - 1;
    const int h = in.Height - 1;
    struct TTurn {
        int X0, Xu, Xv, Y0, Yu, Yv;
    };
    const TTurn turn = turns == 1   ? TTurn{0, 0, 1, h, -1, 0}
                       : turns == 2 ? TTurn{w, -1, 0, h, 0, -1}
                                    : TTurn{w, 0, -1, 0, 1, 0};
    std::uint8_t* pixel = out.data();
    for (int v = 0; v < view.Height; ++v)
        for (int u = 0; u < view.Width; ++u)
            *pixel++ = in.Data[static_cast<std::size_t>(turn.Y0 + turn.Yu * u + turn.Yv * v) *
                                   static_cast<std::size_t>(in.Width) +
                               static_cast<std::size_t>(turn.X0 + turn.Xu * u + turn.Xv * v)];
    // Composed: x y = (X0 + Xu u + Xv v)(Y0 + Yu u + Yv v) has no u u nor v v term, as each
    // quarter turn takes u to one of x and y and v to the other.
    const TPointMap& m = image.Map;
    const auto compose = [&turn](double a, double b, double c, double d) {
        // a x + b y + c + d x y in terms of u and v: {u, v, 1, u v}.
        return std::array<double, 4>{
            a * turn.Xu + b * turn.Yu + d * (turn.X0 * turn.Yu + turn.Y0 * turn.Xu),
            a * turn.Xv + b * turn.Yv + d * (turn.X0 * turn.Yv + turn.Y0 * turn.Xv),
            a * turn.X0 + b * turn.Y0 + c + d * turn.X0 * turn.Y0,
            d * (turn.Xu * turn.Yv + turn.Xv * turn.Yu)};
    };
    const auto x = compose(m.Xu, m.Xv, m.X0, m.Xuv);
    const auto y = compose(m.Yu, m.Yv, m.Y0, m.Yuv);
    return {view, {x[0], x[1], x[2], y[0], y[1], y[2], x[3], y[3]}};
}

} // namespace Vel
