#include "Deskew.h"

#include "Bilinear.h"

#include <array>
#include <cmath>
#include <numbers>

namespace Vel {

namespace {

// Gradients smaller than this (the Sobel sum of absolute values) are noise, not edges.
constexpr int EdgeStrength = 64;

// The share of the edges' strength within 12 degrees of the strongest direction (modulo a
// quarter turn) that makes it the picture's: a code of square modules gives 0.8 to 0.9,
// directions spread evenly 0.28, photographs mostly 0.3 to 0.45.
constexpr double Agreeing = 0.5;

// A turn smaller than this (in degrees) the engines read as it is.
constexpr double Upright = 2;

int At(TGrayPlane in, int x, int y) {
    return in.Data[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.Width) +
                   static_cast<std::size_t>(x)];
}

struct TDirections {
    double Strength = 0;
    double Cos = 0;
    double Sin = 0;
};

} // namespace

std::optional<double> EdgeAngle(TGrayPlane in) {
    // Per degree of direction (modulo a quarter turn): the edges' strength, and their
    // directions taken four times (so that edges a quarter turn apart add up) as vectors.
    std::array<TDirections, 90> bins{};
    // Every other pixel of every other row: enough edges, a quarter of the work.
    for (int y = 1; y + 1 < in.Height; y += 2)
        for (int x = 1; x + 1 < in.Width; x += 2) {
            const int gx = At(in, x + 1, y - 1) + 2 * At(in, x + 1, y) + At(in, x + 1, y + 1) -
                           At(in, x - 1, y - 1) - 2 * At(in, x - 1, y) - At(in, x - 1, y + 1);
            const int gy = At(in, x - 1, y + 1) + 2 * At(in, x, y + 1) + At(in, x + 1, y + 1) -
                           At(in, x - 1, y - 1) - 2 * At(in, x, y - 1) - At(in, x + 1, y - 1);
            const int strength = std::abs(gx) + std::abs(gy);
            if (strength < EdgeStrength)
                continue;
            const double radians = std::atan2(gy, gx);
            const double degrees = std::fmod(radians * 180 / std::numbers::pi + 360, 90);
            TDirections& bin = bins[static_cast<std::size_t>(degrees) % bins.size()];
            bin.Strength += strength;
            bin.Cos += strength * std::cos(4 * radians);
            bin.Sin += strength * std::sin(4 * radians);
        }
    // The strongest direction (over three degrees), then the mean of the directions near it:
    // the peak alone leans towards the pixel grid's steps.
    const auto near = [&bins](std::size_t centre, int spread) {
        TDirections sum;
        for (int d = -spread; d <= spread; ++d) {
            const TDirections& bin = bins[(centre + bins.size() + d) % bins.size()];
            sum.Strength += bin.Strength;
            sum.Cos += bin.Cos;
            sum.Sin += bin.Sin;
        }
        return sum;
    };
    std::size_t peak = 0;
    for (std::size_t bin = 1; bin < bins.size(); ++bin)
        if (near(bin, 1).Strength > near(peak, 1).Strength)
            peak = bin;
    const TDirections around = near(peak, 12);
    double total = 0;
    for (const TDirections& bin : bins)
        total += bin.Strength;
    if (total == 0 || around.Strength < Agreeing * total)
        return std::nullopt;
    return std::atan2(around.Sin, around.Cos) / 4 * 180 / std::numbers::pi;
}

TWorkImage Deskew(TGrayPlane in, std::vector<std::uint8_t>& out) {
    const std::optional<double> edges = EdgeAngle(in);
    if (!edges || std::abs(*edges) < Upright)
        return {in, {}};
    const double angle = *edges;
    const double radians = angle * std::numbers::pi / 180;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int width = static_cast<int>(std::ceil(std::abs(in.Width * c) + std::abs(in.Height * s)));
    const int height =
        static_cast<int>(std::ceil(std::abs(in.Width * s) + std::abs(in.Height * c)));
    // The output's pixel (u, v) shows the picture's point turned by angle about the centres.
    const double cu = (width - 1) / 2.0;
    const double cv = (height - 1) / 2.0;
    const double cx = (in.Width - 1) / 2.0;
    const double cy = (in.Height - 1) / 2.0;
    const TPointMap map{c, -s, cx - c * cu + s * cv, s, c, cy - s * cu - c * cv};
    const TGrayPlane view = SizeBuffer(out, width, height);
    std::uint8_t* pixel = out.data();
    for (int v = 0; v < height; ++v)
        for (int u = 0; u < width; ++u)
            *pixel++ = SampleBilinear(in, map.Xu * u + map.Xv * v + map.X0,
                                      map.Yu * u + map.Yv * v + map.Y0);
    return {view, map};
}

} // namespace Vel
