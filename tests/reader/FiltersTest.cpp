// The filters that make the retry passes' images, in the reader's working buffers.
#include "Deskew.h"
#include "Scaling.h"
#include "Threshold.h"
#include "Tone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Vel::TGrayPlane View(const Bytes& bytes, int width, int height) {
    return {bytes.data(), width, height};
}

Bytes Pixels(const Vel::TWorkImage& image) {
    const auto count = static_cast<std::size_t>(image.View.Width * image.View.Height);
    return {image.View.Data, image.View.Data + count};
}

TEST(Filters, DownScale2AveragesBlocksAndMapsBackToTheirCentres) {
    const Bytes in = {0,   100, 200, 50, 9, //
                      100, 0,   0,   50, 9, //
                      7,   7,   7,   7,  7};
    Bytes out;
    const auto image = Vel::DownScale2(View(in, 5, 3), out);
    EXPECT_EQ(image.View.Width, 2);
    EXPECT_EQ(image.View.Height, 1);
    EXPECT_EQ(Pixels(image), (Bytes{50, 75}));
    EXPECT_EQ(image.Map.Apply(1, 0).X, 3);
    EXPECT_EQ(image.Map.Apply(1, 0).Y, 1);
}

TEST(Filters, DownScaleByFourAveragesBlocksAndMapsBackToTheirCentres) {
    Bytes in(9 * 5, 8);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            in[static_cast<std::size_t>(y * 9 + x)] = x == 4 ? 200 : 0;
    Bytes out;
    const auto image = Vel::DownScale(View(in, 9, 5), 4, out);
    EXPECT_EQ(image.View.Width, 2);
    EXPECT_EQ(image.View.Height, 1);
    EXPECT_EQ(Pixels(image), (Bytes{8, 50}));
    EXPECT_EQ(image.Map.Apply(1, 0).X, 6); // the block 4..7 has its centre at 5.5
    EXPECT_EQ(image.Map.Apply(1, 0).Y, 2);
}

// Stripes 8 pixels wide whose edges run at degrees from upright, their edges smooth as a
// photograph's.
Bytes Stripes(int width, int height, double degrees) {
    const double radians = degrees * 3.14159265358979 / 180;
    Bytes out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double across = x * std::cos(radians) + y * std::sin(radians);
            const double level = 128 + 400 * std::sin(across * 3.14159265358979 / 8);
            out.push_back(static_cast<std::uint8_t>(std::clamp(level, 0.0, 255.0)));
        }
    return out;
}

TEST(Filters, DeskewTurnsTheStrongestEdgesUprightAndMapsBack) {
    for (const double degrees : {-30.0, 20.0, 44.0}) {
        const Bytes in = Stripes(120, 80, degrees);
        EXPECT_NEAR(Vel::EdgeAngle(View(in, 120, 80)).value_or(99), degrees, 1.5);
        Bytes out;
        const auto image = Vel::Deskew(View(in, 120, 80), out);
        ASSERT_NE(image.View.Data, in.data());
        // The output's centre shows the picture's, and upright stripes: one level down a column.
        const auto centre = image.Map.Apply(image.View.Width / 2, image.View.Height / 2);
        EXPECT_NEAR(centre.X, 60, 1.5);
        EXPECT_NEAR(centre.Y, 40, 1.5);
        const Bytes pixels = Pixels(image);
        const auto at = [&](int x, int y) {
            return pixels[static_cast<std::size_t>(y * image.View.Width + x)];
        };
        const int x = image.View.Width / 2 + 3;
        int changes = 0;
        for (int y = image.View.Height / 2 - 40; y < image.View.Height / 2 + 40; ++y)
            changes += (at(x, y) > 127) != (at(x, y + 1) > 127);
        EXPECT_LE(changes, 1) << degrees;
    }
    // Upright already, and edges in every direction (rings): the picture itself.
    const Bytes upright = Stripes(60, 40, 0);
    Bytes out;
    EXPECT_EQ(Vel::Deskew(View(upright, 60, 40), out).View.Data, upright.data());
    Bytes rings;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            rings.push_back(
                std::hypot(x - 40, y - 40) / 6 - std::floor(std::hypot(x - 40, y - 40) / 6) < 0.5
                    ? 0
                    : 255);
    EXPECT_FALSE(Vel::EdgeAngle(View(rings, 80, 80)).has_value());
    EXPECT_EQ(Vel::Deskew(View(rings, 80, 80), out).View.Data, rings.data());
}

TEST(Filters, BlurKeepsAnEvenPicture) {
    const Bytes in(7 * 5, 93);
    Bytes out;
    Bytes scratch;
    EXPECT_EQ(Pixels(Vel::BlurSigma1(View(in, 7, 5), out, scratch)), Bytes(7 * 5, 93));
}

TEST(Filters, UpScaleKeepsCornersAndMapsBack) {
    const Bytes in = {0, 255, 255, 0};
    Bytes out;
    const auto image = Vel::UpScaleBilinear(View(in, 2, 2), 3, out);
    ASSERT_EQ(image.View.Width, 6);
    ASSERT_EQ(image.View.Height, 6);
    const Bytes pixels = Pixels(image);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[5], 255);
    EXPECT_EQ(pixels[35], 0);
    EXPECT_GT(pixels[2], 0);
    EXPECT_LT(pixels[2], 255);
    EXPECT_EQ(image.Map.Apply(6, 3).X, 2);
    EXPECT_EQ(image.Map.Apply(6, 3).Y, 1);
}

TEST(Filters, CubicUpScaleKeepsLevelsAndSharpensAnEdge) {
    const Bytes in = {0, 0, 255, 255, //
                      0, 0, 255, 255};
    Bytes out;
    Bytes bilinearOut;
    const auto image = Vel::UpScaleCubic(View(in, 4, 2), 3, out);
    const auto bilinear = Vel::UpScaleBilinear(View(in, 4, 2), 3, bilinearOut);
    ASSERT_EQ(image.View.Width, 12);
    ASSERT_EQ(image.View.Height, 6);
    const Bytes pixels = Pixels(image);
    const Bytes smooth = Pixels(bilinear);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[11], 255);
    // Across the edge (between source pixels 1 and 2: output 5 and 6) the cubic is nearer
    // black and white than the bilinear.
    EXPECT_LT(pixels[5], smooth[5]);
    EXPECT_GT(pixels[6], smooth[6]);
    EXPECT_EQ(image.Map.Apply(6, 3).X, 2);
    EXPECT_EQ(image.Map.Apply(6, 3).Y, 1);
}

TEST(Filters, EqualisingForLowContrastLeavesAPictureWithContrastAlone) {
    Bytes squeezed;
    Bytes full;
    for (int i = 0; i < 100; ++i) {
        squeezed.push_back(static_cast<std::uint8_t>(100 + i / 2));
        full.push_back(static_cast<std::uint8_t>(i * 255 / 99));
    }
    Bytes out;
    EXPECT_EQ(Vel::EqualiseLowContrast(View(full, 10, 10), out).View.Data, full.data());
    const auto image = Vel::EqualiseLowContrast(View(squeezed, 10, 10), out);
    ASSERT_NE(image.View.Data, squeezed.data());
    const Bytes pixels = Pixels(image);
    EXPECT_LT(pixels.front(), 10);
    EXPECT_EQ(pixels.back(), 255);
}

TEST(Filters, InvertAndEqualiseMapEveryLevel) {
    const Bytes in = {100, 100, 110, 120};
    Bytes out;
    EXPECT_EQ(Pixels(Vel::Invert(View(in, 4, 1), out)), (Bytes{155, 155, 145, 135}));
    EXPECT_EQ(Pixels(Vel::Equalise(View(in, 4, 1), out)), (Bytes{128, 128, 191, 255}));
}

TEST(Filters, ThresholdsFindADarkBarOnUnevenLight) {
    // A light ramp from 120 to 239 across, with a bar 60 levels darker than its ground.
    const int width = 120;
    const int height = 96;
    Bytes in(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            in[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint8_t>(120 + x - ((x >= 60 && x < 63) ? 60 : 0));
    Bytes out;
    for (const Bytes& pixels : {Pixels(Vel::MeanThreshold(View(in, width, height), 10, out)),
                                Pixels(Vel::SauvolaThreshold(View(in, width, height), out))}) {
        const std::size_t row = 48 * width;
        EXPECT_EQ(pixels[row + 61], 0);
        EXPECT_EQ(pixels[row + 30], 255);
        EXPECT_EQ(pixels[row + 90], 255);
    }
}

} // namespace
