#include "vel/host/RasterGraphic.h"

#include "PictureSize.h"
#include "PixelFormats.h"
#include "vel/host/Errors.h"

#include <algorithm>
#include <string>

namespace Host {

std::vector<TColor32> AllocatePixels(const char* kind, uint64_t width, uint64_t height) {
    CheckPictureSize(kind, width, height);
    return std::vector<TColor32>(static_cast<size_t>(width * height));
}

void TRasterGraphic::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphic(FromAnsi("Invalid picture size " + std::to_string(width) + " x " +
                                       std::to_string(height)));
    if (width == 0 || height == 0) {
        TakePixels(0, 0, {});
        return;
    }
    std::vector<TColor32> pixels =
        AllocatePixels("Picture", static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    const int sharedWidth = std::min(width, FWidth);
    for (int y = 0; y < std::min(height, FHeight); ++y)
        std::copy_n(GetScanline(y), sharedWidth,
                    pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    TakePixels(width, height, std::move(pixels));
}

TColor32* TRasterGraphic::GetScanline(int row) {
    return const_cast<TColor32*>(std::as_const(*this).GetScanline(row));
}

const TColor32* TRasterGraphic::GetScanline(int row) const {
    CheckScanline(row, FHeight);
    return FPixels.data() + static_cast<size_t>(row) * static_cast<size_t>(FWidth);
}

void TRasterGraphic::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr) {
        TakePixels(0, 0, {});
    } else if (const auto* raster = dynamic_cast<const TRasterGraphic*>(source)) {
        CopyPixelsFrom(*raster);
        Changed();
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        std::vector<TColor32> pixels(static_cast<size_t>(bitmap->Width()) *
                                     static_cast<size_t>(bitmap->Height()));
        for (int y = 0; y < bitmap->Height(); ++y)
            RowToColor32(bitmap->PixelFormat(), bitmap->Palette(),
                         static_cast<const uint8_t*>(bitmap->GetScanline(y)),
                         pixels.data() +
                             static_cast<size_t>(y) * static_cast<size_t>(bitmap->Width()),
                         bitmap->Width());
        TakePixels(bitmap->Width(), bitmap->Height(), std::move(pixels));
    } else {
        TGraphic::Assign(source);
    }
}

void TRasterGraphic::TakePixels(int width, int height, std::vector<TColor32> pixels) {
    FWidth = width;
    FHeight = height;
    FPixels = std::move(pixels);
    Changed();
}

void TRasterGraphic::CopyPixelsFrom(const TRasterGraphic& other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = other.FPixels;
}

} // namespace Host
