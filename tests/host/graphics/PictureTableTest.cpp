// Every kind and pixel layout the host reads, made small by the test, checked pixel by
// pixel as 32-bit values after conversion to a pf32bit bitmap.
#include "BmpBuilder.h"
#include "Encoders.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Picture.h"

#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

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

// The test picture with partial transparency (no pixel fully transparent, since encoders
// may change the colour under alpha 0).
const std::vector<uint32_t> AlphaPixels = {0xFFFF0000, 0x8000FF00, 0x200000FF,
                                           0xFFFFFFFF, 0xFF000000, 0x40808080};
const std::vector<uint8_t> GrayValues = {0x00, 0x80, 0xFF, 0x10, 0x20, 0x30};

std::vector<uint32_t> GrayPixels(const std::vector<uint8_t>& values) {
    std::vector<uint32_t> out;
    for (uint8_t v : values)
        out.push_back(0xFF000000u | v * 0x010101u);
    return out;
}

// The pixel at i with alpha set.
std::vector<uint32_t> WithAlpha(std::vector<uint32_t> pixels, size_t i, uint32_t alpha) {
    pixels[i] = (pixels[i] & 0xFFFFFF) | (alpha << 24);
    return pixels;
}

// Rows of the pixels' channels in the given order ('R', 'G', 'B', 'A', or '2' for 16-bit
// big-endian samples of R, G, B, A).
RowBytes ChannelRows(const std::vector<uint32_t>& pixels, int width, const std::string& order,
                     int bytesPerSample = 1) {
    RowBytes rows;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % static_cast<size_t>(width) == 0)
            rows.emplace_back();
        for (char channel : order) {
            const int shift = channel == 'R' ? 16 : channel == 'G' ? 8 : channel == 'B' ? 0 : 24;
            const auto v = static_cast<uint8_t>(pixels[i] >> shift);
            for (int b = 0; b < bytesPerSample; ++b)
                rows.back().push_back(v);
        }
    }
    return rows;
}

// Rows of samples, each packed to bits (8: one byte, 16: two equal bytes).
RowBytes SampleRows(const std::vector<uint8_t>& samples, int width, int bits) {
    RowBytes rows;
    for (size_t start = 0; start < samples.size(); start += static_cast<size_t>(width)) {
        std::vector<uint8_t> row(samples.begin() + static_cast<ptrdiff_t>(start),
                                 samples.begin() + static_cast<ptrdiff_t>(start) + width);
        if (bits < 8)
            row = PackBits(row, bits);
        if (bits == 16) {
            std::vector<uint8_t> wide;
            for (uint8_t v : row)
                wide.insert(wide.end(), {v, v});
            row = wide;
        }
        rows.push_back(row);
    }
    return rows;
}

const std::vector<uint8_t> TestIndices = {0, 1, 2, 3, 4, 5};

std::vector<uint32_t> Colours(const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> out;
    for (uint32_t p : pixels)
        out.push_back(p & 0xFFFFFF);
    return out;
}

// A 10 x 10 gradient, so that every pass of an interlaced picture holds pixels.
constexpr int RampSize = 10;
std::vector<uint32_t> RampPixels() {
    std::vector<uint32_t> out;
    for (uint32_t y = 0; y < RampSize; ++y)
        for (uint32_t x = 0; x < RampSize; ++x)
            out.push_back(0xFF000000u | (x * 25) << 16 | (y * 25) << 8 | (x + y));
    return out;
}

// 16 x 16 in four flat 8 x 8 quadrants, for lossy kinds.
constexpr int BlockSize = 16;
std::vector<uint32_t> BlockPixels(bool gray = false) {
    const uint32_t quadrants[] = {gray ? 0xFF303030 : 0xFFFF0000, gray ? 0xFFC0C0C0 : 0xFF00FF00,
                                  gray ? 0xFF000000 : 0xFF0000FF, 0xFF808080};
    std::vector<uint32_t> out;
    for (int y = 0; y < BlockSize; ++y)
        for (int x = 0; x < BlockSize; ++x)
            out.push_back(quadrants[(y / 8) * 2 + x / 8]);
    return out;
}

std::function<std::string()> Png(PngLayout layout) {
    return [layout] {
        return MakePng(layout);
    };
}

std::vector<PictureCase> PngCases() {
    const int W = TestWidth, H = TestHeight;
    return {
        {"PngRgb8", Png({W, H, PNG_COLOR_TYPE_RGB, 8, false, ChannelRows(TestPixels, W, "RGB")})},
        {"PngRgba8",
         Png({W, H, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, ChannelRows(AlphaPixels, W, "RGBA")}),
         AlphaPixels},
        {"PngRgb16",
         Png({W, H, PNG_COLOR_TYPE_RGB, 16, false, ChannelRows(TestPixels, W, "RGB", 2)})},
        {"PngRgba16",
         Png({W, H, PNG_COLOR_TYPE_RGB_ALPHA, 16, false, ChannelRows(AlphaPixels, W, "RGBA", 2)}),
         AlphaPixels},
        {"PngGray8", Png({W, H, PNG_COLOR_TYPE_GRAY, 8, false, SampleRows(GrayValues, W, 8)}),
         GrayPixels(GrayValues)},
        {"PngGray16", Png({W, H, PNG_COLOR_TYPE_GRAY, 16, false, SampleRows(GrayValues, W, 16)}),
         GrayPixels(GrayValues)},
        {"PngGray1",
         Png({W, H, PNG_COLOR_TYPE_GRAY, 1, false, SampleRows({0, 1, 1, 0, 0, 1}, W, 1)}),
         GrayPixels({0, 255, 255, 0, 0, 255})},
        {"PngGray2",
         Png({W, H, PNG_COLOR_TYPE_GRAY, 2, false, SampleRows({0, 1, 2, 3, 0, 1}, W, 2)}),
         GrayPixels({0, 85, 170, 255, 0, 85})},
        {"PngGray4",
         Png({W, H, PNG_COLOR_TYPE_GRAY, 4, false, SampleRows({0, 8, 15, 1, 2, 3}, W, 4)}),
         GrayPixels({0, 136, 255, 17, 34, 51})},
        {"PngGrayAlpha8",
         Png({W, H, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false,
              RowBytes{{0, 255, 128, 64, 255, 0}, {16, 255, 32, 255, 48, 1}}}),
         {0xFF000000, 0x40808080, 0x00FFFFFF, 0xFF101010, 0xFF202020, 0x01303030}},
        {"PngPalette8", Png({W, H, PNG_COLOR_TYPE_PALETTE, 8, false, SampleRows(TestIndices, W, 8),
                             Colours(TestPixels)})},
        {"PngPalette4", Png({W, H, PNG_COLOR_TYPE_PALETTE, 4, false, SampleRows(TestIndices, W, 4),
                             Colours(TestPixels)})},
        {"PngPalette1",
         Png({W,
              H,
              PNG_COLOR_TYPE_PALETTE,
              1,
              false,
              SampleRows({1, 0, 1, 0, 1, 0}, W, 1),
              {0x0000FF, 0xFF0000}}),
         {0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF}},
        {"PngPaletteAlpha",
         Png({W,
              H,
              PNG_COLOR_TYPE_PALETTE,
              8,
              false,
              SampleRows(TestIndices, W, 8),
              Colours(AlphaPixels),
              {0xFF, 0x80, 0x20, 0xFF, 0xFF, 0x40}}),
         AlphaPixels},
        {"PngRgbKeyColour",
         Png({W,
              H,
              PNG_COLOR_TYPE_RGB,
              8,
              false,
              ChannelRows(TestPixels, W, "RGB"),
              {},
              {},
              {0, 0, 255}}),
         WithAlpha(TestPixels, 2, 0)},
        {"PngGrayKeyColour",
         Png({W, H, PNG_COLOR_TYPE_GRAY, 8, false, SampleRows(GrayValues, W, 8), {}, {}, {0x80}}),
         WithAlpha(GrayPixels(GrayValues), 1, 0)},
        {"PngInterlaced",
         Png({RampSize, RampSize, PNG_COLOR_TYPE_RGB, 8, true,
              ChannelRows(RampPixels(), RampSize, "RGB")}),
         RampPixels(), 0, RampSize, RampSize},
    };
}

std::function<std::string()> Jpeg(JpegLayout layout) {
    return [layout] {
        return MakeJpeg(layout);
    };
}

constexpr int LossyTolerance = 8;

std::vector<PictureCase> JpegCases() {
    const int S = BlockSize;
    const std::vector<uint32_t> blocks = BlockPixels();
    std::vector<uint8_t> grays;
    for (uint32_t p : BlockPixels(true))
        grays.push_back(static_cast<uint8_t>(p));
    return {
        {"JpegBaseline", Jpeg({S, S, 3, false, ChannelRows(blocks, S, "RGB")}), blocks,
         LossyTolerance, S, S},
        {"JpegProgressive", Jpeg({S, S, 3, true, ChannelRows(blocks, S, "RGB")}), blocks,
         LossyTolerance, S, S},
        {"JpegGray", Jpeg({S, S, 1, false, SampleRows(grays, S, 8)}), BlockPixels(true),
         LossyTolerance, S, S},
        // Adobe CMYK stores inverted inks: with K' = 255, C' M' Y' are the red, green, blue.
        {"JpegCmyk", Jpeg({S, S, 4, false, ChannelRows(blocks, S, "RGBA")}), blocks, LossyTolerance,
         S, S},
    };
}

std::function<std::string()> Gif(GifLayout layout) {
    return [layout] {
        return MakeGif(layout);
    };
}

std::vector<uint32_t> GifPalette() {
    std::vector<uint32_t> palette = Colours(TestPixels);
    palette.resize(8, 0x123456);
    return palette;
}

std::vector<PictureCase> GifCases() {
    const int W = TestWidth, H = TestHeight;
    std::vector<uint32_t> grays16;
    RowBytes rampRows;
    std::vector<uint32_t> ramp;
    for (uint32_t i = 0; i < 16; ++i)
        grays16.push_back(i * 0x111111);
    for (uint8_t y = 0; y < 10; ++y) {
        rampRows.push_back({y, static_cast<uint8_t>(15 - y)});
        ramp.insert(ramp.end(), {0xFF000000 | grays16[y], 0xFF000000 | grays16[15 - y]});
    }
    return {
        {"GifBasic",
         Gif({W, H, 0, 0, W, H, false, 0, -1, GifPalette(), SampleRows(TestIndices, W, 8)})},
        {"GifTransparent",
         Gif({W, H, 0, 0, W, H, false, 0, 2, GifPalette(), SampleRows(TestIndices, W, 8)}),
         WithAlpha(TestPixels, 2, 0)},
        {"GifInterlaced", Gif({2, 10, 0, 0, 2, 10, true, 0, -1, grays16, rampRows}), ramp, 0, 2,
         10},
        // The screen's background colour (white) around a 2 x 1 frame at (1, 1).
        {"GifFrameOnScreen",
         Gif({4, 3, 1, 1, 2, 1, false, 3, -1, GifPalette(), RowBytes{{0, 2}}}),
         {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF0000, 0xFF0000FF,
          0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
         0,
         4,
         3},
    };
}

std::function<std::string()> Tiff(TiffLayout layout) {
    return [layout] {
        return MakeTiff(layout);
    };
}

std::vector<PictureCase> TiffCases() {
    const int W = TestWidth, H = TestHeight;
    const RowBytes rgb = ChannelRows(TestPixels, W, "RGB");
    std::vector<uint32_t> palette = Colours(TestPixels);
    palette.resize(256);
    std::vector<uint32_t> inks; // C M Y K of the test colours
    for (uint32_t p : TestPixels)
        inks.push_back(((255 - ((p >> 16) & 0xFF)) << 16) | ((255 - ((p >> 8) & 0xFF)) << 8) |
                       (255 - (p & 0xFF)));
    return {
        {"TiffRgb8", Tiff({W, H, PHOTOMETRIC_RGB, 8, 3, false, COMPRESSION_NONE, false, {}, rgb})},
        {"TiffRgbLzwBigEndian",
         Tiff({W, H, PHOTOMETRIC_RGB, 8, 3, false, COMPRESSION_LZW, true, {}, rgb})},
        {"TiffRgb16", Tiff({W,
                            H,
                            PHOTOMETRIC_RGB,
                            16,
                            3,
                            false,
                            COMPRESSION_NONE,
                            false,
                            {},
                            ChannelRows(TestPixels, W, "RGB", 2)})},
        {"TiffRgbaUnassociated",
         Tiff({W,
               H,
               PHOTOMETRIC_RGB,
               8,
               4,
               true,
               COMPRESSION_DEFLATE,
               false,
               {},
               ChannelRows(AlphaPixels, W, "RGBA")}),
         AlphaPixels, 2},
        {"TiffGray8",
         Tiff({W,
               H,
               PHOTOMETRIC_MINISBLACK,
               8,
               1,
               false,
               COMPRESSION_NONE,
               false,
               {},
               SampleRows(GrayValues, W, 8)}),
         GrayPixels(GrayValues)},
        {"TiffBilevelMinIsWhite",
         Tiff({W,
               H,
               PHOTOMETRIC_MINISWHITE,
               1,
               1,
               false,
               COMPRESSION_NONE,
               false,
               {},
               SampleRows({1, 0, 1, 0, 0, 1}, W, 1)}),
         GrayPixels({0, 255, 0, 255, 255, 0})},
        {"TiffPalette8", Tiff({W, H, PHOTOMETRIC_PALETTE, 8, 1, false, COMPRESSION_NONE, false,
                               palette, SampleRows(TestIndices, W, 8)})},
        {"TiffCmyk", Tiff({W,
                           H,
                           PHOTOMETRIC_SEPARATED,
                           8,
                           4,
                           false,
                           COMPRESSION_NONE,
                           false,
                           {},
                           ChannelRows(inks, W, "RGBA")})},
    };
}

std::vector<PictureCase> WebPCases() {
    return {
        {"WebPLossless",
         [] {
             return MakeWebP(TestWidth, TestHeight, TestPixels, true);
         }},
        {"WebPLosslessAlpha", [] { return MakeWebP(TestWidth, TestHeight, AlphaPixels, true); },
         AlphaPixels},
        // Gray, as lossy WebP halves the colour resolution and blends colour edges.
        {"WebPLossy", [] { return MakeWebP(BlockSize, BlockSize, BlockPixels(true), false); },
         BlockPixels(true), LossyTolerance, BlockSize, BlockSize},
    };
}

// A PNM file: the header's text, then the pixels' bytes.
std::function<std::string()> Pnm(std::string header, RowBytes rows = {}) {
    return [header, rows] {
        std::string file = header;
        for (const std::vector<uint8_t>& row : rows)
            file.append(row.begin(), row.end());
        return file;
    };
}

std::vector<PictureCase> PnmCases() {
    const int W = TestWidth;
    // PBM: 1 is black.
    const std::vector<uint32_t> checkers = {0xFF000000, 0xFFFFFFFF, 0xFF000000,
                                            0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF};
    return {
        {"PbmPlain", Pnm("P1\n3 2\n101\n0 1 0\n"), checkers},
        {"PbmRaw", Pnm("P4\n3 2\n", {{0xA0}, {0x40}}), checkers},
        // Comments and every kind of white space between the fields; maxval 10 scales.
        {"PgmPlainCommented", Pnm("P2 # gray\n3#width\r\n\t2\v# height\n\f10\n0 5 10\n1 2\n3"),
         GrayPixels({0, 128, 255, 26, 51, 77})},
        {"PgmRaw8", Pnm("P5\n3 2\n255\n", SampleRows(GrayValues, W, 8)), GrayPixels(GrayValues)},
        {"PgmRaw16", Pnm("P5\n3 2\n65535\n", SampleRows(GrayValues, W, 16)),
         GrayPixels(GrayValues)},
        // 16 bits with maxval 1000: (v * 255 + 500) / 1000 for 0, 500, 1000, 1, 999, 257.
        {"PgmRaw16Maxval1000",
         Pnm("P5 3 2 1000\n", {{0, 0, 1, 0xF4, 3, 0xE8}, {0, 1, 3, 0xE7, 1, 1}}),
         GrayPixels({0, 128, 255, 0, 255, 66})},
        {"PpmPlain", Pnm("P3\n3 2\n255\n255 0 0  0 255 0  0 0 255\n255 255 255 0 0 0 128 128 "
                         "128\n")},
        {"PpmRaw8", Pnm("P6\n3 2\n255\n", ChannelRows(TestPixels, W, "RGB"))},
        {"PpmRaw16", Pnm("P6\n3 2\n65535\n", ChannelRows(TestPixels, W, "RGB", 2))},
        {"PamGray8",
         Pnm("P7\nWIDTH 3\nHEIGHT 2\nDEPTH 1\nMAXVAL 255\nTUPLTYPE GRAYSCALE\nENDHDR\n",
             SampleRows(GrayValues, W, 8)),
         GrayPixels(GrayValues)},
        // BLACKANDWHITE's 1 is white, unlike PBM's.
        {"PamBlackAndWhite",
         Pnm("P7\nWIDTH 3\nHEIGHT 2\nDEPTH 1\nMAXVAL 1\nTUPLTYPE BLACKANDWHITE\nENDHDR\n",
             {{0, 1, 0}, {1, 0, 1}}),
         checkers},
        // Comments, fields in any order, and no tuple type: the depth tells.
        {"PamRgb16NoTupleType", Pnm("P7\n# rgb\nMAXVAL 65535\nDEPTH 3\nHEIGHT 2\nWIDTH 3\nENDHDR\n",
                                    ChannelRows(TestPixels, W, "RGB", 2))},
        {"PamRgbAlpha8",
         Pnm("P7\nWIDTH 3\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
             ChannelRows(AlphaPixels, W, "RGBA")),
         AlphaPixels},
        {"PamGrayAlpha16",
         Pnm("P7\nWIDTH 3\nHEIGHT 2\nDEPTH 2\nMAXVAL 65535\nTUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n",
             {{0, 0, 0xFF, 0xFF, 0x80, 0x80, 0, 0, 0xFF, 0xFF, 0x80, 0x80},
              {0x10, 0x10, 0xFF, 0xFF, 0x20, 0x20, 0xFF, 0xFF, 0x30, 0x30, 0x40, 0x40}}),
         {0xFF000000, 0x00808080, 0x80FFFFFF, 0xFF101010, 0xFF202020, 0x40303030}},
    };
}

std::vector<PictureCase> AllCases() {
    std::vector<PictureCase> cases;
    for (auto kind : {BmpCases, PngCases, JpegCases, GifCases, TiffCases, WebPCases, PnmCases})
        for (PictureCase& c : kind())
            cases.push_back(std::move(c));
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
