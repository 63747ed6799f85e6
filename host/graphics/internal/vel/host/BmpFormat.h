// The fixed numbers of the BMP format, its header sizes and compression codes, shared by the
// bitmap's reader and writer, bitmap resources (a BMP file without its file header) and what
// writes them.
#pragma once

#include <cstdint>

namespace Host {

// "BM", the file size, 4 reserved bytes and the offset of the pixels.
inline constexpr uint32_t BmpFileHeaderSize = 14;
// The OS/2 core header: its size, then width, height, planes and bits in 16-bit fields.
inline constexpr uint32_t BmpCoreHeaderSize = 12;
// The Windows info header, which the later versions extend.
inline constexpr uint32_t BmpInfoHeaderSize = 40;

// The info header's compression codes: none, run lengths of 8- or 4-bit indices, and channels
// placed by bit-field masks (red, green, blue; and alpha for BiAlphaBitfields).
enum TBmpCompression : uint32_t {
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3,
    BiAlphaBitfields = 6
};

} // namespace Host
