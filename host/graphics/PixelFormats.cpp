#include "PixelFormats.h"

#include "vel/host/LittleEndian.h"

#include <climits>

namespace Host {

namespace {

TColor32 Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return OpaqueAlpha | (red << 16) | (green << 8) | blue;
}

uint32_t Red(TColor32 c) {
    return (c >> 16) & 0xFF;
}
uint32_t Green(TColor32 c) {
    return (c >> 8) & 0xFF;
}
uint32_t Blue(TColor32 c) {
    return c & 0xFF;
}

// Reduces an 8-bit channel value to n bits, rounding to the nearest level.
uint32_t ReduceChannel(uint32_t value, int bits) {
    const uint32_t largest = (1u << bits) - 1;
    return (value * largest + 127) / 255;
}

unsigned PaletteIndex(const uint8_t* row, int x, int bits) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1u << bits) - 1);
}

void SetPaletteIndex(uint8_t* row, int x, int bits, unsigned index) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    const unsigned mask = ((1u << bits) - 1) << shift;
    row[x / perByte] = static_cast<uint8_t>((row[x / perByte] & ~mask) | (index << shift));
}

TColor32 Word15ToColour(uint32_t w) {
    return Rgb(ExpandChannel((w >> 10) & 31, 5), ExpandChannel((w >> 5) & 31, 5),
               ExpandChannel(w & 31, 5));
}

TColor32 Word16ToColour(uint32_t w) {
    return Rgb(ExpandChannel((w >> 11) & 31, 5), ExpandChannel((w >> 5) & 63, 6),
               ExpandChannel(w & 31, 5));
}

uint32_t ColourToWord15(TColor32 c) {
    return (ReduceChannel(Red(c), 5) << 10) | (ReduceChannel(Green(c), 5) << 5) |
           ReduceChannel(Blue(c), 5);
}

uint32_t ColourToWord16(TColor32 c) {
    return (ReduceChannel(Red(c), 5) << 11) | (ReduceChannel(Green(c), 6) << 5) |
           ReduceChannel(Blue(c), 5);
}

uint32_t Distance(TColor32 a, TColor32 b) {
    const auto square = [](uint32_t x, uint32_t y) {
        return (x - y) * (x - y);
    };
    return square(Red(a), Red(b)) + square(Green(a), Green(b)) + square(Blue(a), Blue(b));
}

} // namespace

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit:
        return 1;
    case TPixelFormat::pf4bit:
        return 4;
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit:
        return 16;
    case TPixelFormat::pf24bit:
        return 24;
    default:
        return 32;
    }
}

int RowStrideFor(int width, TPixelFormat format) {
    const int64_t bits = int64_t{width} * BitsPerPixel(format);
    return static_cast<int>((bits + 31) / 32 * 4);
}

int PaletteSize(TPixelFormat format) {
    const int bits = BitsPerPixel(format);
    return bits <= 8 ? 1 << bits : 0;
}

void RowToColor32(TPixelFormat format, std::span<const TColor32> palette, const uint8_t* source,
                  TColor32* dest, int width) {
    const auto lookUp = [&](unsigned index) {
        return index < palette.size() ? palette[index] : OpaqueAlpha;
    };
    for (int x = 0; x < width; ++x) {
        switch (format) {
        case TPixelFormat::pf1bit:
        case TPixelFormat::pf4bit:
            dest[x] = lookUp(PaletteIndex(source, x, BitsPerPixel(format)));
            break;
        case TPixelFormat::pf8bit:
            dest[x] = lookUp(source[x]);
            break;
        case TPixelFormat::pf15bit:
            dest[x] = Word15ToColour(ReadWord(source + 2 * x));
            break;
        case TPixelFormat::pf16bit:
            dest[x] = Word16ToColour(ReadWord(source + 2 * x));
            break;
        case TPixelFormat::pf24bit:
            dest[x] = Rgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
            break;
        default:
            dest[x] = ReadDWord(source + 4 * x);
            break;
        }
    }
}

TColourIndexer::TColourIndexer(std::span<const TColor32> palette) : FPalette(palette) {}

uint8_t TColourIndexer::Index(TColor32 colour) {
    colour &= ColourMask;
    if (const auto known = FKnown.find(colour); known != FKnown.end())
        return known->second;
    size_t best = 0;
    uint32_t bestDistance = UINT_MAX;
    for (size_t i = 0; i < FPalette.size() && bestDistance != 0; ++i) {
        const uint32_t d = Distance(FPalette[i], colour);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    const auto index = static_cast<uint8_t>(best);
    FKnown.emplace(colour, index);
    return index;
}

void RowFromColor32(TPixelFormat format, const TColor32* source, uint8_t* dest, int width,
                    TColourIndexer* indexer) {
    for (int x = 0; x < width; ++x) {
        const TColor32 c = source[x];
        switch (format) {
        case TPixelFormat::pf1bit:
        case TPixelFormat::pf4bit:
            SetPaletteIndex(dest, x, BitsPerPixel(format), indexer->Index(c));
            break;
        case TPixelFormat::pf8bit:
            dest[x] = indexer->Index(c);
            break;
        case TPixelFormat::pf15bit:
            WriteWord(dest + 2 * x, ColourToWord15(c));
            break;
        case TPixelFormat::pf16bit:
            WriteWord(dest + 2 * x, ColourToWord16(c));
            break;
        case TPixelFormat::pf24bit:
            dest[3 * x] = static_cast<uint8_t>(Blue(c));
            dest[3 * x + 1] = static_cast<uint8_t>(Green(c));
            dest[3 * x + 2] = static_cast<uint8_t>(Red(c));
            break;
        default:
            WriteDWord(dest + 4 * x, c);
            break;
        }
    }
}

std::vector<TColor32> FixedPalette(TPixelFormat format) {
    std::vector<TColor32> palette;
    switch (PaletteSize(format)) {
    case 2:
        palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
        break;
    case 16:
        for (const uint32_t high : {0x80u, 0xFFu})
            for (int i = 0; i < 8; ++i)
                palette.push_back(Rgb(i & 4 ? high : 0, i & 2 ? high : 0, i & 1 ? high : 0));
        palette[8] = Rgb(0xC0, 0xC0, 0xC0); // light grey replaces the second black
        break;
    case 256:
        for (uint32_t r = 0; r < 8; ++r)
            for (uint32_t g = 0; g < 8; ++g)
                for (uint32_t b = 0; b < 4; ++b)
                    palette.push_back(
                        Rgb(ExpandChannel(r, 3), ExpandChannel(g, 3), ExpandChannel(b, 2)));
        break;
    default:
        break;
    }
    return palette;
}

} // namespace Host
