// The base of the compressed picture kinds: pixels held once, in the 32-bit layout, so a
// decoder writes them in place and a bitmap copies them once.
#pragma once

#include "vel/host/Bitmap.h"
#include "vel/host/Export.h"
#include "vel/host/Graphic.h"

#include <cstdint>
#include <vector>

namespace Host {

class VEL_API TRasterGraphic : public TGraphic {
public:
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Keeps the pixels of the area both sizes share; new pixels are 0 (transparent black).
    // EInvalidGraphic for a negative size or one above MaxPicturePixels().
    void SetSize(int width, int height) override;

    // Row `row` (0 the top row): Width() colours in the 32-bit layout, alpha in bits 24-31
    // (255 opaque). EInvalidGraphic when the row is out of range.
    TColor32* GetScanline(int row);
    const TColor32* GetScanline(int row) const;

    // From a bitmap of any pixel format or another raster graphic: a copy of the pixels.
    // Null empties it.
    void Assign(TPersistent* source) override;

protected:
    // Holds the pixels decoded for a picture of width x height; fires OnChange.
    void TakePixels(int width, int height, std::vector<TColor32> pixels);
    void CopyPixelsFrom(const TRasterGraphic& other);

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TColor32> FPixels;
};

// A buffer of width x height pixels for a decoder, after the size is checked against
// MaxPicturePixels() (EInvalidGraphic naming kind).
VEL_API std::vector<TColor32> AllocatePixels(const char* kind, uint64_t width, uint64_t height);

} // namespace Host
