// The base of the compressed picture kinds: pixels held once, in the 32-bit layout, so a
// decoder writes them in place and a bitmap assigned from the graphic shares them. A graphic
// read from a file (or a copy of it) saves that file's bytes unchanged until its pixels or
// its encoder settings change: until then no save re-encodes it.
#pragma once

#include "vel/host/Bitmap.h"
#include "vel/host/Export.h"
#include "vel/host/Graphic.h"
#include "vel/host/PixelBuffer.h"

#include <cstdint>
#include <functional>
#include <iosfwd>

namespace Host {

class VEL_API TRasterGraphic : public TGraphic {
public:
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Keeps the pixels of the area both sizes share; new pixels are 0 (transparent black).
    // EInvalidGraphic for a negative size or one above MaxPicturePixels().
    void SetSize(int width, int height) override;

    // Row `row` (0 the top row): Width() colours in the 32-bit layout, alpha in bits 24-31
    // (255 opaque). EInvalidGraphic when the row is out of range. The writable row is the
    // graphic's own: pixels shared with a copy are copied first.
    TColor32* GetScanline(int row);
    const TColor32* GetScanline(int row) const;

    // The pixels, rows back to back from the top.
    const TPixelBuffer& Pixels() const noexcept { return FPixels; }

    // From a bitmap of any pixel format or another raster graphic: the same pixels, shared
    // until either side writes (a bitmap of another format is converted). Null empties it.
    void Assign(TPersistent* source) override;

protected:
    // Reads the rest of the stream as the file of a picture of the kind ("JPEG", ...),
    // decodes it with decode (which holds the pixels with TakePixels) and keeps its bytes.
    void LoadKeepingFile(std::istream& stream, const char* kind,
                         const std::function<void(std::istream& file)>& decode);
    // Holds the pixels of a picture of width x height, rows back to back; fires OnChange.
    void TakePixels(int width, int height, TPixelBuffer pixels);
    void CopyPixelsFrom(const TRasterGraphic& other);

private:
    int FWidth = 0;
    int FHeight = 0;
    TPixelBuffer FPixels;
};

// The buffer of width x height pixels for a decoder to fill, after the size is checked
// against MaxPicturePixels() (EInvalidGraphic naming kind). Its content is undefined until
// written, and its memory is committed as the decoder writes it.
VEL_API TPixelBuffer AllocatePixels(const char* kind, uint64_t width, uint64_t height);

// The colours of a buffer of pixels in the 32-bit layout, for writing.
inline TColor32* ColoursOf(TPixelBuffer& pixels) {
    return reinterpret_cast<TColor32*>(pixels.MutableData());
}

} // namespace Host
