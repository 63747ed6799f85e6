// Row layouts of the bitmap's pixel formats and conversions of rows to and from 32 bits.
#pragma once

#include "vel/host/Bitmap.h"

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace Host {

inline constexpr TColor32 OpaqueAlpha = 0xFF000000u;
inline constexpr TColor32 ColourMask = 0x00FFFFFFu;

// The opaque colour of a gray level: red, green and blue all that level.
inline constexpr TColor32 OpaqueGray(uint8_t level) {
    return OpaqueAlpha | level * 0x010101u;
}

int BitsPerPixel(TPixelFormat format);
// Bytes of one row: whole 32-bit words, as in BMP files.
int RowStrideFor(int width, TPixelFormat format);
// Number of palette entries of the format: 2, 16, 256, or 0 for direct colour.
int PaletteSize(TPixelFormat format);

// Expands an n-bit channel value to 8 bits, 0 to 0 and the largest value to 255.
inline uint8_t ExpandChannel(uint32_t value, int bits) {
    const uint32_t largest = (1u << bits) - 1;
    return static_cast<uint8_t>((value * 255 + largest / 2) / largest);
}

// Converts width pixels of a row in format into 32-bit colours; palette indices past the
// palette's end give opaque black.
void RowToColor32(TPixelFormat format, std::span<const TColor32> palette, const uint8_t* source,
                  TColor32* dest, int width);

// Finds the palette entry for a colour: the exact one when present, else the nearest.
class TColourIndexer {
public:
    explicit TColourIndexer(std::span<const TColor32> palette);
    uint8_t Index(TColor32 colour);

private:
    std::span<const TColor32> FPalette;
    std::unordered_map<TColor32, uint8_t> FKnown;
};

// Converts width 32-bit colours into a row in format; palette formats need the indexer.
void RowFromColor32(TPixelFormat format, const TColor32* source, uint8_t* dest, int width,
                    TColourIndexer* indexer);

// The palette a bitmap gets when it takes a palette format and its colours are unknown:
// black and white, the 16 VGA colours, or 8 x 8 x 4 levels of red, green and blue.
std::vector<TColor32> FixedPalette(TPixelFormat format);

} // namespace Host
