// JPEG pictures, read and written with libjpeg-turbo.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TJpegImage : public TCloneableGraphic<TJpegImage, TRasterGraphic> {
public:
    // Reads baseline and progressive JPEGs in gray, YCbCr/RGB, CMYK and YCCK; pixels are
    // opaque. A file whose data ends after its first rows (an interrupted transfer) gives
    // those rows, the rest white, and Incomplete() tells how many; one that ends before
    // (a progressive JPEG outputs its rows only once every scan is read) is an error.
    void LoadFromStream(std::istream& stream) override;
    // Writes a baseline YCbCr JPEG at CompressionQuality(); alpha is dropped.
    void SaveToStream(std::ostream& stream) const override;

    // 1 to 100; 90 by default.
    int CompressionQuality() const noexcept { return FQuality; }
    // EConvertError outside 1 to 100.
    void SetCompressionQuality(int quality);

private:
    void Decode(std::istream& file);
    int FQuality = 90;
};

} // namespace Host
