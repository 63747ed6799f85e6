#include "BmpReader.h"

#include "ByteSource.h"
#include "PictureSize.h"
#include "PixelFormats.h"
#include "vel/host/BmpFormat.h"
#include "vel/host/Errors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

namespace Host {

namespace {

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic(FromAnsi("Invalid BMP picture: " + reason));
}

// One colour channel of a bit-field pixel.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(uint32_t mask) : Mask(mask) {
        if (mask == 0)
            return;
        Shift = std::countr_zero(mask);
        Bits = std::popcount(mask);
        if ((mask >> Shift) != (1ull << Bits) - 1)
            Invalid("the bit field masks are not contiguous");
    }

    // The channel as 8 bits; missing gives fallback.
    uint32_t Value(uint32_t pixel, uint32_t fallback) const {
        if (Bits == 0)
            return fallback;
        const uint32_t v = (pixel & Mask) >> Shift;
        return Bits > 8 ? v >> (Bits - 8) : ExpandChannel(v, Bits);
    }
};

struct THeader {
    uint32_t PixelOffset = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool TopDown = false;
    uint16_t BitCount = 0;
    uint32_t Compression = BiRgb;
    uint32_t ColoursUsed = 0;
    uint32_t PaletteEntrySize = 4;
    std::array<uint32_t, 4> Masks{}; // red, green, blue, alpha
};

void ReadCoreHeader(TByteSource& source, THeader& h) {
    h.Width = source.Word();
    h.Height = source.Word();
    source.Word(); // planes
    h.BitCount = source.Word();
    h.PaletteEntrySize = 3;
}

void ReadInfoHeader(TByteSource& source, uint32_t headerSize, THeader& h) {
    h.Width = source.Int();
    h.Height = source.Int();
    source.Word(); // planes
    h.BitCount = source.Word();
    h.Compression = source.DWord();
    source.DWord(); // image size
    source.DWord(); // horizontal resolution
    source.DWord(); // vertical resolution
    h.ColoursUsed = source.DWord();
    source.DWord(); // important colours
    const bool masksFollow = h.Compression == BiBitfields || h.Compression == BiAlphaBitfields;
    const uint32_t maskCount = headerSize > BmpInfoHeaderSize ? (headerSize >= 56 ? 4 : 3)
                               : masksFollow ? (h.Compression == BiAlphaBitfields ? 4 : 3)
                                             : 0;
    for (uint32_t i = 0; i < maskCount; ++i)
        h.Masks[i] = source.DWord();
    source.SkipTo(BmpFileHeaderSize + headerSize);
}

THeader ReadHeaders(TByteSource& source) {
    if (source.Byte() != 'B' || source.Byte() != 'M')
        Invalid("the signature \"BM\" is missing");
    THeader h;
    source.DWord(); // file size
    source.DWord(); // reserved
    h.PixelOffset = source.DWord();
    const uint32_t headerSize = source.DWord();
    if (headerSize == BmpCoreHeaderSize)
        ReadCoreHeader(source, h);
    else if (headerSize == BmpInfoHeaderSize || headerSize == 52 || headerSize == 56 ||
             headerSize == 108 || headerSize == 124)
        ReadInfoHeader(source, headerSize, h);
    else
        Invalid("unsupported header size " + std::to_string(headerSize));
    if (h.Height < 0 && h.Height != INT32_MIN) {
        h.TopDown = true;
        h.Height = -h.Height;
    }
    return h;
}

bool Supported(const THeader& h) {
    switch (h.Compression) {
    case BiRgb:
        return h.BitCount == 1 || h.BitCount == 4 || h.BitCount == 8 || h.BitCount == 16 ||
               h.BitCount == 24 || h.BitCount == 32;
    case BiRle8:
        return h.BitCount == 8 && !h.TopDown;
    case BiRle4:
        return h.BitCount == 4 && !h.TopDown;
    case BiBitfields:
    case BiAlphaBitfields:
        return h.BitCount == 16 || h.BitCount == 32;
    default:
        return false;
    }
}

void CheckHeader(const THeader& h) {
    if (!Supported(h))
        Invalid("unsupported combination of " + std::to_string(h.BitCount) +
                " bits per pixel, compression " + std::to_string(h.Compression) +
                (h.TopDown ? " and top-down rows" : ""));
    if (h.Width <= 0 || h.Height <= 0)
        Invalid("invalid size of " + std::to_string(h.Width) + " x " + std::to_string(h.Height) +
                " pixels");
    CheckPictureSize("BMP", static_cast<uint64_t>(h.Width), static_cast<uint64_t>(h.Height));
    if (h.Compression == BiBitfields || h.Compression == BiAlphaBitfields)
        for (const uint32_t mask : h.Masks)
            TChannel{mask}; // raises for a mask that is not contiguous
}

bool HasMasks(const THeader& h, uint32_t red, uint32_t green, uint32_t blue) {
    return h.Masks[0] == red && h.Masks[1] == green && h.Masks[2] == blue;
}

// The bitmap's format for the file's pixels; pf32bit also for bit fields it has no own
// format for, which are converted row by row.
TPixelFormat StorageFormat(const THeader& h) {
    switch (h.BitCount) {
    case 1:
        return TPixelFormat::pf1bit;
    case 4:
        return TPixelFormat::pf4bit;
    case 8:
        return TPixelFormat::pf8bit;
    case 16:
        return h.Compression == BiRgb || HasMasks(h, 0x7C00, 0x3E0, 0x1F) ? TPixelFormat::pf15bit
               : HasMasks(h, 0xF800, 0x7E0, 0x1F)                         ? TPixelFormat::pf16bit
                                                                          : TPixelFormat::pf32bit;
    case 24:
        return TPixelFormat::pf24bit;
    default:
        return TPixelFormat::pf32bit;
    }
}

// True when the file's rows have the bitmap's row layout and are read straight into it.
bool StoredAsIs(const THeader& h) {
    if (h.BitCount == 16)
        return StorageFormat(h) != TPixelFormat::pf32bit;
    if (h.BitCount == 32 && h.Compression != BiRgb)
        return HasMasks(h, 0xFF0000, 0xFF00, 0xFF) && h.Masks[3] == 0xFF000000;
    return true;
}

std::vector<TColor32> ReadPalette(TByteSource& source, const THeader& h) {
    const uint32_t size = 1u << h.BitCount;
    const uint32_t declared = h.ColoursUsed == 0 || h.ColoursUsed > size ? size : h.ColoursUsed;
    // Files with fewer entries than declared end their palette where the pixels begin.
    const uint64_t room = h.PixelOffset > source.Position() ? h.PixelOffset - source.Position() : 0;
    const auto count =
        static_cast<uint32_t>(std::min<uint64_t>(declared, room / h.PaletteEntrySize));
    std::vector<TColor32> palette(count);
    for (TColor32& entry : palette) {
        const uint8_t blue = source.Byte();
        const uint8_t green = source.Byte();
        const uint8_t red = source.Byte();
        if (h.PaletteEntrySize == 4)
            source.Byte();
        entry = (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    }
    palette.resize(size); // entries the file leaves out are black
    return palette;
}

void ConvertBitfieldRow(const THeader& h, const uint8_t* source, TColor32* dest, int width) {
    const TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]), alpha(h.Masks[3]);
    const int bytes = h.BitCount / 8;
    for (int x = 0; x < width; ++x) {
        uint32_t pixel = 0;
        for (int b = bytes - 1; b >= 0; --b)
            pixel = (pixel << 8) | source[x * bytes + b];
        dest[x] = (alpha.Value(pixel, 255) << 24) | (red.Value(pixel, 0) << 16) |
                  (green.Value(pixel, 0) << 8) | blue.Value(pixel, 0);
    }
}

void ReadUncompressed(TByteSource& source, const THeader& h, TBitmap& bitmap) {
    const uint64_t rowBytes = (static_cast<uint64_t>(h.Width) * h.BitCount + 31) / 32 * 4;
    if (const auto remaining = source.Remaining();
        remaining && *remaining / rowBytes < static_cast<uint64_t>(h.Height))
        Invalid("the pixel data is truncated");
    bitmap.SetSize(h.Width, h.Height);
    const bool asIs = StoredAsIs(h);
    std::vector<uint8_t> fileRow(asIs ? 0 : rowBytes);
    for (int i = 0; i < h.Height; ++i) {
        auto* dest = static_cast<uint8_t*>(bitmap.GetScanline(h.TopDown ? i : h.Height - 1 - i));
        if (asIs) {
            source.Read(dest, rowBytes);
            continue;
        }
        source.Read(fileRow.data(), rowBytes);
        ConvertBitfieldRow(h, fileRow.data(), reinterpret_cast<TColor32*>(dest), h.Width);
    }
}

// Writes palette indices into the rows of a pf4bit or pf8bit bitmap, counting rows from
// the bottom; pixels outside the bitmap are dropped.
class TIndexWriter {
public:
    explicit TIndexWriter(TBitmap& bitmap)
        : FBitmap(bitmap), FBits(BitsPerPixel(bitmap.PixelFormat())) {}

    void Put(int x, int y, unsigned index) const {
        if (x < 0 || x >= FBitmap.Width() || y < 0 || y >= FBitmap.Height())
            return;
        auto* row = static_cast<uint8_t*>(FBitmap.GetScanline(FBitmap.Height() - 1 - y));
        if (FBits == 8) {
            row[x] = static_cast<uint8_t>(index);
            return;
        }
        const int shift = x % 2 == 0 ? 4 : 0;
        row[x / 2] =
            static_cast<uint8_t>((row[x / 2] & ~(0xF << shift)) | ((index & 0xF) << shift));
    }

private:
    TBitmap& FBitmap;
    int FBits;
};

// Refuses run-length data too short for the picture: a code skips at most 255 x 255 pixels
// for 4 bytes, so the data holds at least 4 bytes for every 65025 pixels, even when an
// end-of-bitmap code comes early. A 64-byte file cannot declare 2^28 pixels.
void CheckRunLengthData(const TByteSource& source, const THeader& h) {
    const uint64_t pixels = static_cast<uint64_t>(h.Width) * static_cast<uint64_t>(h.Height);
    if (const auto remaining = source.Remaining(); remaining && *remaining < pixels / 65025 * 4)
        Invalid("the pixel data is truncated");
}

// Decodes RLE8 or RLE4 data until the end-of-bitmap code or the last row is passed.
void ReadRunLengthEncoded(TByteSource& source, const THeader& h, TBitmap& bitmap) {
    CheckRunLengthData(source, h);
    bitmap.SetSize(h.Width, h.Height);
    const TIndexWriter writer(bitmap);
    const bool rle4 = h.Compression == BiRle4;
    int64_t x = 0;
    int64_t y = 0;
    const auto put = [&](unsigned index) {
        if (x < h.Width)
            writer.Put(static_cast<int>(x), static_cast<int>(y), index);
        ++x;
    };
    while (y < h.Height) {
        const uint8_t count = source.Byte();
        const uint8_t value = source.Byte();
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(rle4 ? (k % 2 == 0 ? value >> 4 : value & 0xF) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x += source.Byte();
            y += source.Byte();
        } else {
            uint8_t packed = 0;
            for (int k = 0; k < value; ++k) {
                if (!rle4 || k % 2 == 0)
                    packed = source.Byte();
                put(rle4 ? (k % 2 == 0 ? packed >> 4 : packed & 0xF) : packed);
            }
            const int bytes = rle4 ? (value + 1) / 2 : value;
            if (bytes % 2 != 0)
                source.Byte();
        }
    }
}

} // namespace

void ReadBmp(std::istream& stream, TBitmap& bitmap) {
    TByteSource source(stream, "Invalid BMP picture: the data ends early");
    const THeader h = ReadHeaders(source);
    CheckHeader(h);
    bitmap.SetPixelFormat(StorageFormat(h));
    if (h.BitCount <= 8)
        bitmap.SetPalette(ReadPalette(source, h));
    if (source.Position() > h.PixelOffset)
        Invalid("the pixel data offset " + std::to_string(h.PixelOffset) +
                " lies inside the headers");
    source.SkipTo(h.PixelOffset);
    if (h.Compression == BiRle8 || h.Compression == BiRle4)
        ReadRunLengthEncoded(source, h, bitmap);
    else
        ReadUncompressed(source, h, bitmap);
}

} // namespace Host
