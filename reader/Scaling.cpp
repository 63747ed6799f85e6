#include "Scaling.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Vel {

namespace {

// exp(-x^2 / 2) for x = -3..3, scaled to add up to 256.
constexpr std::array<int, 7> Kernel = {1, 14, 62, 102, 62, 14, 1};

std::uint8_t Pixel(TGrayPlane image, int x, int y) {
    return image.Data[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) +
                      static_cast<std::size_t>(x)];
}

// One pass of the kernel along rows (dx 1) or columns (dx 0) from in to out.
void BlurAlong(TGrayPlane in, std::uint8_t* out, bool rows) {
    for (int y = 0; y < in.Height; ++y)
        for (int x = 0; x < in.Width; ++x) {
            int sum = 0;
            for (int k = -3; k <= 3; ++k) {
                const int sx = rows ? std::clamp(x + k, 0, in.Width - 1) : x;
                const int sy = rows ? y : std::clamp(y + k, 0, in.Height - 1);
                sum += Kernel[static_cast<std::size_t>(k + 3)] * Pixel(in, sx, sy);
            }
            *out++ = static_cast<std::uint8_t>((sum + 128) >> 8);
        }
}

} // namespace

TWorkImage DownScale2(TGrayPlane in, std::vector<std::uint8_t>& out) {
    return DownScale(in, 2, out);
}

TWorkImage DownScale(TGrayPlane in, int factor, std::vector<std::uint8_t>& out) {
    const TGrayPlane view = SizeBuffer(out, in.Width / factor, in.Height / factor);
    const int area = factor * factor;
    std::uint8_t* pixel = out.data();
    for (int y = 0; y < view.Height; ++y)
        for (int x = 0; x < view.Width; ++x) {
            int sum = 0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    sum += Pixel(in, factor * x + dx, factor * y + dy);
            *pixel++ = static_cast<std::uint8_t>((sum + area / 2) / area);
        }
    // Output pixel u covers the picture's factor u .. factor u + factor - 1.
    const double centre = (factor - 1) / 2.0;
    return {view, {double(factor), 0, centre, 0, double(factor), centre}};
}

TWorkImage BlurSigma1(TGrayPlane in, std::vector<std::uint8_t>& out,
                      std::vector<std::uint8_t>& scratch) {
    const TGrayPlane across = SizeBuffer(scratch, in.Width, in.Height);
    BlurAlong(in, scratch.data(), true);
    const TGrayPlane view = SizeBuffer(out, in.Width, in.Height);
    BlurAlong(across, out.data(), false);
    return {view, {}};
}

TWorkImage UpScaleBilinear(TGrayPlane in, int factor, std::vector<std::uint8_t>& out) {
    const TGrayPlane view = SizeBuffer(out, in.Width * factor, in.Height * factor);
    std::uint8_t* pixel = out.data();
    // Output pixel p samples the source at (p + 0.5) / factor - 0.5, here in units of
    // 1 / (2 factor), so that the weights are exact integers.
    const int units = 2 * factor;
    const int scale = units * units;
    for (int y = 0; y < view.Height; ++y) {
        const int sy = std::max(0, 2 * y + 1 - factor);
        const int y0 = std::min(sy / units, in.Height - 1);
        const int y1 = std::min(y0 + 1, in.Height - 1);
        const int fy = sy % units;
        for (int x = 0; x < view.Width; ++x) {
            const int sx = std::max(0, 2 * x + 1 - factor);
            const int x0 = std::min(sx / units, in.Width - 1);
            const int x1 = std::min(x0 + 1, in.Width - 1);
            const int fx = sx % units;
            const int top = Pixel(in, x0, y0) * (units - fx) + Pixel(in, x1, y0) * fx;
            const int bottom = Pixel(in, x0, y1) * (units - fx) + Pixel(in, x1, y1) * fx;
            *pixel++ =
                static_cast<std::uint8_t>((top * (units - fy) + bottom * fy + scale / 2) / scale);
        }
    }
    const double step = 1.0 / factor;
    return {view, {step, 0, 0, 0, step, 0}};
}

namespace {

// The Catmull-Rom weights of the four source pixels around a sample at fraction t past the
// second of them.
std::array<double, 4> CubicWeights(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    return {(-t3 + 2 * t2 - t) / 2, (3 * t3 - 5 * t2 + 2) / 2, (-3 * t3 + 4 * t2 + t) / 2,
            (t3 - t2) / 2};
}

} // namespace

TWorkImage UpScaleCubic(TGrayPlane in, int factor, std::vector<std::uint8_t>& out) {
    const TGrayPlane view = SizeBuffer(out, in.Width * factor, in.Height * factor);
    std::uint8_t* pixel = out.data();
    for (int y = 0; y < view.Height; ++y) {
        // Output pixel p samples the source at (p + 0.5) / factor - 0.5.
        const double sy = (y + 0.5) / factor - 0.5;
        const int y0 = static_cast<int>(std::floor(sy));
        const std::array<double, 4> wy = CubicWeights(sy - y0);
        for (int x = 0; x < view.Width; ++x) {
            const double sx = (x + 0.5) / factor - 0.5;
            const int x0 = static_cast<int>(std::floor(sx));
            const std::array<double, 4> wx = CubicWeights(sx - x0);
            double sum = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    sum += wy[static_cast<std::size_t>(j)] * wx[static_cast<std::size_t>(i)] *
                           Pixel(in, std::clamp(x0 - 1 + i, 0, in.Width - 1),
                                 std::clamp(y0 - 1 + j, 0, in.Height - 1));
            *pixel++ = static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    const double step = 1.0 / factor;
    return {view, {step, 0, 0, 0, step, 0}};
}

} // namespace Vel
