#include "BmpWriter.h"

#include "PixelFormats.h"
#include "vel/host/BmpFormat.h"
#include "vel/host/Errors.h"
#include "vel/host/LittleEndian.h"

#include <string>

namespace Host {

namespace {

// File header, info header, bit-field masks and palette.
std::string Headers(const TBitmap& bitmap) {
    const bool bitfields = bitmap.PixelFormat() == TPixelFormat::pf16bit;
    const auto paletteBytes = static_cast<uint32_t>(bitmap.Palette().size() * 4);
    const uint32_t pixelOffset =
        BmpFileHeaderSize + BmpInfoHeaderSize + (bitfields ? 12 : 0) + paletteBytes;
    const auto imageSize =
        static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(bitmap.RowStride())} *
                              static_cast<uint32_t>(bitmap.Height()));
    std::string out = "BM";
    AppendDWord(out, pixelOffset + imageSize);
    AppendDWord(out, 0);
    AppendDWord(out, pixelOffset);
    AppendDWord(out, BmpInfoHeaderSize);
    AppendDWord(out, static_cast<uint32_t>(bitmap.Width()));
    AppendDWord(out, static_cast<uint32_t>(bitmap.Height())); // positive: bottom-up rows
    AppendWord(out, 1);
    AppendWord(out, static_cast<uint16_t>(BitsPerPixel(bitmap.PixelFormat())));
    AppendDWord(out, bitfields ? BiBitfields : BiRgb);
    AppendDWord(out, imageSize);
    AppendDWord(out, 2835); // 72 dots per inch
    AppendDWord(out, 2835);
    AppendDWord(out, static_cast<uint32_t>(bitmap.Palette().size()));
    AppendDWord(out, 0);
    if (bitfields) {
        AppendDWord(out, 0xF800);
        AppendDWord(out, 0x07E0);
        AppendDWord(out, 0x001F);
    }
    for (const TColor32 colour : bitmap.Palette())
        AppendDWord(out, colour & ColourMask);
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
