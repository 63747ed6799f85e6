#include "Degradations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Degradations {

namespace {

// The level at (x, y) by bilinear interpolation; white outside the picture.
double Sample(const Support::TGrayImage& image, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    auto at = [&](int px, int py) -> double {
        if (px < 0 || py < 0 || px >= image.Width || py >= image.Height)
            return 255;
        return image.Pixels[static_cast<std::size_t>(py) * image.Width + px];
    };
    return (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
           (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
}

std::uint8_t Level(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Support::TGrayImage Blank(int width, int height) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
}

// One horizontal or vertical box-blur pass.
Support::TGrayImage BoxPass(const Support::TGrayImage& image, int radius, bool horizontal) {
    Support::TGrayImage out = Blank(image.Width, image.Height);
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            int sum = 0;
            for (int d = -radius; d <= radius; ++d) {
                const int px = horizontal ? std::clamp(x + d, 0, image.Width - 1) : x;
                const int py = horizontal ? y : std::clamp(y + d, 0, image.Height - 1);
                sum += image.Pixels[static_cast<std::size_t>(py) * image.Width + px];
            }
            out.Pixels[static_cast<std::size_t>(y) * image.Width + x] =
                Level(static_cast<double>(sum) / (2 * radius + 1));
        }
    return out;
}

} // namespace

Support::TGrayImage Rotated(const Support::TGrayImage& image, double degrees) {
    const double angle = degrees * std::numbers::pi / 180;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int width =
        static_cast<int>(std::ceil(image.Width * std::abs(c) + image.Height * std::abs(s)));
    const int height =
        static_cast<int>(std::ceil(image.Width * std::abs(s) + image.Height * std::abs(c)));
    Support::TGrayImage out = Blank(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = x - width / 2.0;
            const double dy = y - height / 2.0;
            out.Pixels[static_cast<std::size_t>(y) * width + x] = Level(Sample(
                image, c * dx + s * dy + image.Width / 2.0, -s * dx + c * dy + image.Height / 2.0));
        }
    return out;
}

Support::TGrayImage Perspective(const Support::TGrayImage& image, double shrink) {
    Support::TGrayImage out = Blank(image.Width, image.Height);
    for (int y = 0; y < image.Height; ++y) {
        const double scale = shrink + (1 - shrink) * y / std::max(1, image.Height - 1);
        for (int x = 0; x < image.Width; ++x) {
            const double dx = (x - image.Width / 2.0) / scale;
            out.Pixels[static_cast<std::size_t>(y) * image.Width + x] =
                Level(Sample(image, dx + image.Width / 2.0, y));
        }
    }
    return out;
}

Support::TGrayImage Blurred(const Support::TGrayImage& image, int radius) {
    Support::TGrayImage out = image;
    for (int pass = 0; pass < 2; ++pass)
        out = BoxPass(BoxPass(out, radius, true), radius, false);
    return out;
}

Support::TGrayImage Noisy(const Support::TGrayImage& image, int amplitude) {
    Support::TGrayImage out = image;
    std::uint32_t state = 12345;
    for (std::uint8_t& pixel : out.Pixels) {
        state = state * 1664525u + 1013904223u;
        const int offset = static_cast<int>(state >> 16) % (2 * amplitude + 1) - amplitude;
        pixel = Level(pixel + offset);
    }
    return out;
}

Support::TGrayImage LowContrast(const Support::TGrayImage& image, int low, int high) {
    Support::TGrayImage out = image;
    for (std::uint8_t& pixel : out.Pixels)
        pixel = Level(low + (high - low) * pixel / 255.0);
    return out;
}

Support::TGrayImage Inverted(const Support::TGrayImage& image) {
    Support::TGrayImage out = image;
    for (std::uint8_t& pixel : out.Pixels)
        pixel = static_cast<std::uint8_t>(255 - pixel);
    return out;
}

} // namespace Degradations
