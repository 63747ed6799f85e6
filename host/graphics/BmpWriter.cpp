#include "BmpWriter.h"

#include "PixelFormats.h"
#include "vel/host/Errors.h"

#include <string>

namespace Host {

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

void Put16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// File header, info header, bit-field masks and palette.
std::string Headers(const TBitmap& bitmap) {
    const bool bitfields = bitmap.PixelFormat() == TPixelFormat::pf16bit;
    const auto paletteBytes = static_cast<uint32_t>(bitmap.Palette().size() * 4);
    const uint32_t pixelOffset =
        FileHeaderSize + InfoHeaderSize + (bitfields ? 12 : 0) + paletteBytes;
    const auto imageSize =
        static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(bitmap.RowStride())} *
                              static_cast<uint32_t>(bitmap.Height()));
    std::string out = "BM";
    Put32(out, pixelOffset + imageSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<uint32_t>(bitmap.Width()));
    Put32(out, static_cast<uint32_t>(bitmap.Height())); // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(BitsPerPixel(bitmap.PixelFormat())));
    Put32(out, bitfields ? BiBitfields : BiRgb);
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(bitmap.Palette().size()));
    Put32(out, 0);
    if (bitfields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    for (const TColor32 colour : bitmap.Palette())
        Put32(out, colour & ColourMask);
    return out;
}

} // namespace

void WriteBmp(const TBitmap& bitmap, std::ostream& stream) {
    if (bitmap.Empty())
        throw EInvalidGraphic(u"Cannot save an empty bitmap");
    const std::string headers = Headers(bitmap);
    stream.write(headers.data(), static_cast<std::streamsize>(headers.size()));
    for (int y = bitmap.Height() - 1; y >= 0 && stream; --y)
        stream.write(static_cast<const char*>(bitmap.GetScanline(y)), bitmap.RowStride());
    if (!stream)
        throw EWriteError(u"Cannot write the BMP picture: the stream failed");
}

} // namespace Host
