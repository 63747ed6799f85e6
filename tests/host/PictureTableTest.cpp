// Every kind and pixel layout the host reads, made small by the test, checked pixel by
// pixel as 32-bit values after conversion to a pf32bit bitmap.
#include "BmpBuilder.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace Host;

namespace {

struct PictureCase {
    std::string Name;
    std::function<std::string()> Make; // the file's bytes
    std::vector<uint32_t> Expected = TestPixels;
    int Tolerance = 0; // per channel, for lossy kinds
    int Width = TestWidth;
    int Height = TestHeight;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.Name;
}

// The test picture's colours as a palette, so that index i is TestPixels[i].
const std::vector<uint32_t> TestPalette = TestPixels;

// Rows of 24-bit pixels padded to 4 bytes, in file order.
std::vector<uint8_t> Rows24(bool topDown) {
    std::vector<uint8_t> out;
    for (int r = 0; r < TestHeight; ++r) {
        const int y = topDown ? r : TestHeight - 1 - r;
        for (int x = 0; x < TestWidth; ++x) {
            const uint32_t c = TestPixels[static_cast<size_t>(y * TestWidth + x)];
            out.insert(out.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                   static_cast<uint8_t>(c >> 16)});
        }
        out.resize((out.size() + 3) / 4 * 4);
    }
    return out;
}

// Rows of 16- or 32-bit words (one per test pixel, top row first), bottom-up and padded.
std::vector<uint8_t> Words(const std::vector<uint32_t>& words, int bytes) {
    std::vector<uint8_t> out;
    for (int y = TestHeight - 1; y >= 0; --y) {
        for (int x = 0; x < TestWidth; ++x)
            for (int b = 0; b < bytes; ++b)
                out.push_back(
                    static_cast<uint8_t>(words[static_cast<size_t>(y * TestWidth + x)] >> (8 * b)));
        out.resize((out.size() + 3) / 4 * 4);
    }
    return out;
}

std::function<std::string()> Bmp(BmpFile file) {
    return [file] {
        return EncodeBmp(file);
    };
}

std::vector<PictureCase> BmpCases() {
    return {
        {"Bmp24BottomUp", Bmp({3, 2, 24, 0, 40, {}, {}, Rows24(false)})},
        {"Bmp24TopDown", Bmp({3, -2, 24, 0, 40, {}, {}, Rows24(true)})},
        {"Bmp24V5Header", Bmp({3, 2, 24, 0, 124, {}, {}, Rows24(false)})},
        {"Bmp32", Bmp({3, 2, 32, 0, 40, {}, {}, Words(TestPixels, 4)})},
        {"Bmp8Palette", Bmp({3, 2, 8, 0, 40, TestPalette, {}, {3, 4, 5, 0, 0, 1, 2, 0}})},
        {"Bmp4Palette",
         Bmp({3, 2, 4, 0, 40, TestPalette, {}, {0x34, 0x50, 0, 0, 0x01, 0x20, 0, 0}})},
        {"Bmp1Palette",
         Bmp({3, 2, 1, 0, 40, {0xFF0000, 0x0000FF}, {}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}}),
         {0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF}},
        {"Bmp8CoreHeader", Bmp({3, 2, 8, 0, 12, TestPalette, {}, {3, 4, 5, 0, 0, 1, 2, 0}})},
        {"Bmp16Rgb555",
         Bmp({3, 2, 16, 0, 40, {}, {}, Words({0x7C00, 0x03E0, 0x001F, 0x7FFF, 0, 0x4210}, 2)}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF848484}},
        {"Bmp16Bitfields565",
         Bmp({3,
              2,
              16,
              3,
              40,
              {},
              {0xF800, 0x07E0, 0x001F},
              Words({0xF800, 0x07E0, 0x001F, 0xFFFF, 0, 0x8410}, 2)}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF848284}},
        {"Bmp16AlphaBitfields4444",
         Bmp({3,
              2,
              16,
              6,
              40,
              {},
              {0x0F00, 0x00F0, 0x000F, 0xF000},
              Words({0xFF00, 0xF0F0, 0xF00F, 0xFFFF, 0xF000, 0x7888}, 2)}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0x77888888}},
        {"Bmp32BitfieldsRgbaV4",
         Bmp({3,
              2,
              32,
              3,
              108,
              {},
              {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
              Words({0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF, 0xFF000000, 0x40808080}, 4)}),
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0x40808080}},
        // Bottom row as an absolute run, top row as encoded runs, then end of bitmap.
        {"BmpRle8",
         Bmp({3, 2, 8, 1, 40, TestPalette, {}, {0, 3, 3, 4, 5, 0, 0, 0, 2, 0, 1, 2, 0, 1}}),
         {0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080}},
        {"BmpRle4",
         Bmp({3, 2, 4, 2, 40, TestPalette, {}, {0, 3, 0x34, 0x50, 0, 0, 2, 0x01, 1, 0x20, 0, 1}})},
        // A delta skips the first row and two pixels; skipped pixels keep palette index 0.
        {"BmpRle8Delta",
         Bmp({3, 2, 8, 1, 40, TestPalette, {}, {0, 2, 2, 1, 1, 5, 0, 1}}),
         {0xFFFF0000, 0xFFFF0000, 0xFF808080, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000}},
    };
}

std::vector<PictureCase> AllCases() {
    std::vector<PictureCase> cases = BmpCases();
    return cases;
}

class PictureTable : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureTable, DecodesToExact32BitPixelsTopRowFirst) {
    const PictureCase& c = GetParam();
    std::istringstream file(c.Make());
    TPicture picture;
    picture.LoadFromStream(file);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), c.Width);
    EXPECT_EQ(picture.Height(), c.Height);
    const std::vector<uint32_t> pixels = Pixels32(*picture.Graphic());
    ASSERT_EQ(pixels.size(), c.Expected.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            const int got = static_cast<int>((pixels[i] >> shift) & 0xFF);
            const int want = static_cast<int>((c.Expected[i] >> shift) & 0xFF);
            EXPECT_LE(std::abs(got - want), c.Tolerance)
                << "pixel " << i << " bits " << shift << ": " << std::hex << pixels[i]
                << " instead of " << c.Expected[i];
        }
}

INSTANTIATE_TEST_SUITE_P(Host, PictureTable, testing::ValuesIn(AllCases()),
                         [](const auto& info) { return info.param.Name; });

} // namespace
