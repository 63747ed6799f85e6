// Test pictures written straight with the picture libraries, in layouts the host's own
// writers never produce.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using RowBytes = std::vector<std::vector<uint8_t>>;

// Packs samples of 1, 2 or 4 bits into bytes, leftmost in the high bits.
std::vector<uint8_t> PackBits(const std::vector<uint8_t>& samples, int bits);

struct PngLayout {
    int Width = 0;
    int Height = 0;
    int ColourType = 0; // PNG_COLOR_TYPE_*
    int BitDepth = 8;
    bool Interlaced = false;
    RowBytes Rows{};                     // packed samples, as libpng takes them
    std::vector<uint32_t> Palette{};     // 0xRRGGBB
    std::vector<uint8_t> PaletteAlpha{}; // tRNS of a palette
    std::vector<uint16_t> KeyColour{};   // tRNS of gray (1 value) or RGB (3 values)
};
std::string MakePng(const PngLayout& layout);

struct JpegLayout {
    int Width = 0;
    int Height = 0;
    int Components = 3; // 1 gray, 3 RGB, 4 CMYK (Adobe, inverted)
    bool Progressive = false;
    RowBytes Rows{};
};
std::string MakeJpeg(const JpegLayout& layout);

struct GifLayout {
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Interlaced = false;
    int Background = 0;
    int Transparent = -1;
    std::vector<uint32_t> Palette{}; // 0xRRGGBB, a power of two entries
    RowBytes Rows{};                 // frame rows of indices, top first
};
std::string MakeGif(const GifLayout& layout);

struct TiffLayout {
    int Width = 0;
    int Height = 0;
    int Photometric = 2; // PHOTOMETRIC_*
    int BitsPerSample = 8;
    int Samples = 3;
    bool UnassociatedAlpha = false;
    int Compression = 1; // COMPRESSION_*
    bool BigEndian = false;
    std::vector<uint32_t> Palette{}; // 0xRRGGBB, 2^BitsPerSample entries
    RowBytes Rows{};                 // packed samples, top first
};
std::string MakeTiff(const TiffLayout& layout);

// WebP of 32-bit pixels in the host's layout.
std::string MakeWebP(int width, int height, const std::vector<uint32_t>& pixels, bool lossless);
