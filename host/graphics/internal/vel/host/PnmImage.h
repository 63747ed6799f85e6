// Netpbm pictures (PBM, PGM and PPM, plain and raw, and PAM), read by the host itself.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TPnmImage : public TCloneableGraphic<TPnmImage, TRasterGraphic> {
public:
    // Reads P1 to P6: PBM's 1 is black; samples of up to 16 bits (maxval 1 to 65535) are
    // scaled to 8 bits, rounding; every pixel is opaque. Reads P7 (PAM) of the tuple types
    // BLACKANDWHITE (1 is white), GRAYSCALE, RGB and each of them with _ALPHA, or of a DEPTH
    // of 1 to 4 without a tuple type, alpha kept.
    void LoadFromStream(std::istream& stream) override;
    // Writes the bytes of the file it was read from while its pixels are unchanged; the host
    // encodes no PNM, so otherwise EInvalidGraphic.
    void SaveToStream(std::ostream& stream) const override;

private:
    void Decode(std::istream& file);
};

} // namespace Host
