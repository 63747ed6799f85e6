// PNG pictures, read and written with libpng.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TPngImage : public TCloneableGraphic<TPngImage, TRasterGraphic> {
public:
    // Reads every colour type and bit depth, interlaced or not: palettes and transparency
    // become colours with alpha, 16-bit samples are scaled to 8 bits, no gamma is applied.
    void LoadFromStream(std::istream& stream) override;
    // Writes 8-bit RGB, or RGBA when any pixel is not opaque.
    void SaveToStream(std::ostream& stream) const override;

private:
    void Decode(std::istream& file);
};

} // namespace Host
