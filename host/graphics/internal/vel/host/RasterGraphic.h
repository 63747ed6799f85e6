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
#include <optional>

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

    int PageCount() const override { return FPageCount; }
    int PageIndex() const override { return FPageIndex; }
    std::optional<TIncomplete> Incomplete() const override { return FIncomplete; }

protected:
    // What a load learnt of the file besides its pixels.
    struct TLoadFacts {
        int PageIndex = 0;
        int PageCount = 1;
        std::optional<TIncomplete> Incomplete{};
    };

    // Reads the rest of the stream as the file of a picture of the kind ("JPEG", ...),
    // decodes it with decode (which holds the pixels with TakePixels) and keeps its bytes
    // when the graphic holds the file's first page.
    void LoadKeepingFile(std::istream& stream, const char* kind,
                         const std::function<void(std::istream& file)>& decode);
    // Holds the pixels of a picture of width x height, rows back to back, with what the load
    // learnt (a single complete page when the pixels were not loaded); fires OnChange.
    void TakePixels(int width, int height, TPixelBuffer pixels, const TLoadFacts& facts);
    void TakePixels(int width, int height, TPixelBuffer pixels);
    void CopyPixelsFrom(const TRasterGraphic& other);

private:
    int FWidth = 0;
    int FHeight = 0;
    TPixelBuffer FPixels;
    int FPageIndex = 0;
    int FPageCount = 1;
    std::optional<TIncomplete> FIncomplete;
};

// The base of the kinds whose files hold many pages: keeps the page chosen for the next load.
class VEL_API TPagedGraphic : public TRasterGraphic {
public:
    void SelectPage(const TPageChoice& choice) override;

protected:
    const TPageChoice& PageChoice() const noexcept { return FPageChoice; }
    // Reads the rest of the stream as a file of the kind ("TIFF", ...) and loads its chosen
    // page with LoadPage, through a decoder of its own that ends with the load.
    void LoadOnePage(std::istream& stream, const char* kind);

private:
    TPageChoice FPageChoice;
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
