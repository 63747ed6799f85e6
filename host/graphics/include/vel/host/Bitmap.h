// The host's own bitmap: pixels in one of the pixel formats, rows reachable from the top,
// BMP as its file format.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Graphic.h"
#include "vel/host/PixelBuffer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace Host {

// pfDevice stands for the display's format, which is 32 bits per pixel here; setting it
// gives pf32bit. pfCustom is never a bitmap's format.
enum class TPixelFormat : uint8_t {
    pfDevice,
    pf1bit,  // palette of up to 2 colours, 8 pixels a byte, leftmost in the high bit
    pf4bit,  // palette of up to 16 colours, 2 pixels a byte, leftmost in the high nibble
    pf8bit,  // palette of up to 256 colours, 1 byte a pixel
    pf15bit, // 16-bit little-endian word: blue bits 0-4, green 5-9, red 10-14
    pf16bit, // 16-bit little-endian word: blue bits 0-4, green 5-10, red 11-15
    pf24bit, // 3 bytes: blue, green, red
    pf32bit, // 32-bit little-endian word: blue bits 0-7, green 8-15, red 16-23, alpha 24-31
    pfCustom
};

class TRasterGraphic;

// One colour in the 32-bit layout: blue bits 0-7, green 8-15, red 16-23, alpha 24-31.
using TColor32 = uint32_t;

class VEL_API TBitmap : public TCloneableGraphic<TBitmap, TGraphic> {
public:
    // An empty pf32bit bitmap.
    TBitmap() = default;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Keeps the pixels of the area both sizes share; new pixels are 0 (black, or palette
    // entry 0). EInvalidGraphic for a negative size or one above MaxPicturePixels().
    void SetSize(int width, int height) override;

    TPixelFormat PixelFormat() const noexcept { return FPixelFormat; }
    // Converts every pixel to the format, palettes resolved to colours. Formats without
    // alpha become opaque (alpha 255) in pf32bit. Converting to a palette format keeps the
    // exact colours when they fit the palette, otherwise maps each pixel to the nearest
    // colour of a fixed palette (black and white; the 16 VGA colours; 8 x 8 x 4 levels).
    // EConvertError for pfCustom.
    void SetPixelFormat(TPixelFormat format);

    // The palette of pf1bit, pf4bit and pf8bit bitmaps (2, 16 or 256 entries, alpha 255),
    // empty for the others.
    const std::vector<TColor32>& Palette() const noexcept { return FPalette; }
    // Replaces the palette entries from the first one on; EConvertError when the bitmap has
    // no palette or colours holds more entries than it.
    void SetPalette(std::span<const TColor32> colours);

    // Row `row` (0 the top row) in the pixel format, readable and writable for the width.
    // EInvalidGraphic when the row is out of range. After writing pixels, call MarkModified.
    // The writable row is the bitmap's own: pixels shared with the graphic it was assigned
    // from (or a copy) are copied first, so read through a const bitmap to leave them shared.
    void* GetScanline(int row);
    const void* GetScanline(int row) const;
    // Bytes from one row to the next.
    int RowStride() const noexcept { return FStride; }
    // The pixels, RowStride() bytes a row from the top.
    const TPixelBuffer& Pixels() const noexcept { return FPixels; }

    // From a bitmap: a copy in its format. From a compressed kind: its pixels in pf32bit,
    // shared with it until either side writes. From any other graphic: a copy at the
    // graphic's own size, as the graphic converts itself. Null empties the bitmap.
    void Assign(TPersistent* source) override;

    // Reads a BMP file: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8 and bit fields,
    // bottom-up and top-down.
    void LoadFromStream(std::istream& stream) override;
    // Writes a BMP file in the bitmap's pixel format.
    void SaveToStream(std::ostream& stream) const override;

private:
    void CopyFrom(const TBitmap& other);
    void CopyFrom(const TRasterGraphic& raster);
    void TakeFrom(TBitmap& other);

    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = TPixelFormat::pf32bit;
    int FStride = 0;
    TPixelBuffer FPixels;
    std::vector<TColor32> FPalette;
};

} // namespace Host
