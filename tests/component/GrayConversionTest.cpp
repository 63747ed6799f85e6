#include "GrayConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using Vel::ConvertRowToGray;

std::uint32_t Pixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red << 16 | green << 8 | blue;
}

std::uint8_t GrayOf(std::uint32_t pixel) {
    std::uint8_t gray = 0;
    ConvertRowToGray(&pixel, 1, &gray);
    return gray;
}

// The exact weighted sum divided by 1000 is a double with an exact half wherever the sum is
// halfway, and at least 0.001 away from a half elsewhere; nearbyint rounds halves to even.
std::uint8_t Reference(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return static_cast<std::uint8_t>(
        std::nearbyint((299 * red + 587 * green + 114 * blue) / 1000.0));
}

TEST(GrayConversion, EveryColourIsTheExactSumRoundedHalfToEven) {
    std::vector<std::uint32_t> row(65536);
    std::vector<std::uint8_t> gray(row.size());
    int halfways = 0;
    for (std::uint32_t red = 0; red < 256; ++red) {
        for (std::uint32_t green = 0; green < 256; ++green)
            for (std::uint32_t blue = 0; blue < 256; ++blue)
                row[green << 8 | blue] = Pixel(red, green, blue);
        ConvertRowToGray(row.data(), row.size(), gray.data());
        for (std::uint32_t green = 0; green < 256; ++green)
            for (std::uint32_t blue = 0; blue < 256; ++blue) {
                halfways += (299 * red + 587 * green + 114 * blue) % 1000 == 500;
                ASSERT_EQ(gray[green << 8 | blue], Reference(red, green, blue))
                    << "red " << red << " green " << green << " blue " << blue;
            }
    }
    EXPECT_GT(halfways, 0) << "the colours include exact halves, which must round to even";
}

TEST(GrayConversion, KnownColours) {
    EXPECT_EQ(GrayOf(Pixel(255, 0, 0)), 76);
    EXPECT_EQ(GrayOf(Pixel(0, 255, 0)), 150);
    EXPECT_EQ(GrayOf(Pixel(0, 0, 255)), 29);
    EXPECT_EQ(GrayOf(Pixel(128, 128, 128)), 128);
    EXPECT_EQ(GrayOf(Pixel(255, 255, 255)), 255);
    EXPECT_EQ(GrayOf(Pixel(0, 0, 0)), 0);
    // Exact halves go to the even neighbour: 28.5 to 28, 29.5 to 30, 127.5 to 128.
    EXPECT_EQ(GrayOf(Pixel(0, 0, 250)), 28);
    EXPECT_EQ(GrayOf(Pixel(0, 32, 94)), 30);
    EXPECT_EQ(GrayOf(Pixel(0, 204, 68)), 128);
}

TEST(GrayConversion, BitsAboveRedAreIgnored) {
    for (std::uint32_t high : {0x00u, 0x01u, 0x80u, 0xFFu})
        EXPECT_EQ(GrayOf(high << 24 | Pixel(12, 200, 77)), GrayOf(Pixel(12, 200, 77)));
}

TEST(GrayConversion, EachPixelOfARowGivesItsOwnByte) {
    const std::vector<std::uint32_t> row = {Pixel(255, 0, 0), Pixel(0, 255, 0), Pixel(0, 0, 255),
                                            Pixel(255, 255, 255)};
    std::vector<std::uint8_t> gray(row.size() + 1, 0xAB);
    ConvertRowToGray(row.data(), row.size(), gray.data());
    EXPECT_EQ(gray, (std::vector<std::uint8_t>{76, 150, 29, 255, 0xAB}));
}

} // namespace
