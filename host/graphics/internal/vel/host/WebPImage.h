// WebP pictures, read and written with libwebp.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TWebPImage : public TCloneableGraphic<TWebPImage, TRasterGraphic> {
public:
    // Reads lossy and lossless WebP, with or without alpha (the first frame of an
    // animation is refused: libwebp's simple decoder reads still pictures only).
    void LoadFromStream(std::istream& stream) override;
    // Writes lossless WebP, or lossy at Quality() when Lossless() is false; alpha is kept.
    void SaveToStream(std::ostream& stream) const override;

    bool Lossless() const noexcept { return FLossless; }
    void SetLossless(bool lossless) noexcept {
        FLossless = lossless;
        ForgetFileBytes();
    }
    // 0 to 100 for lossy saving; 90 by default.
    int Quality() const noexcept { return FQuality; }
    // EConvertError outside 0 to 100.
    void SetQuality(int quality);

private:
    void Decode(std::istream& file);
    bool FLossless = true;
    int FQuality = 90;
};

} // namespace Host
