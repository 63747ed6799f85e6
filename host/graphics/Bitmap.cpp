#include "vel/host/Bitmap.h"

#include "BmpReader.h"
#include "BmpWriter.h"
#include "PictureSize.h"
#include "PixelFormats.h"
#include "vel/host/Errors.h"
#include "vel/host/NumberText.h"
#include "vel/host/RasterGraphic.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Host {

namespace {

// The palette a conversion to a palette format uses: the bitmap's own colours when they
// fit, otherwise the fixed palette of the format.
std::vector<TColor32> ChoosePalette(const TBitmap& bitmap, TPixelFormat format) {
    const size_t size = static_cast<size_t>(PaletteSize(format));
    if (bitmap.Empty())
        return FixedPalette(format);
    std::vector<TColor32> colours;
    std::vector<TColor32> row(static_cast<size_t>(bitmap.Width()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        RowToColor32(bitmap.PixelFormat(), bitmap.Palette(),
                     static_cast<const uint8_t*>(bitmap.GetScanline(y)), row.data(),
                     bitmap.Width());
        for (TColor32 c : row) {
            c |= OpaqueAlpha;
            if (std::find(colours.begin(), colours.end(), c) != colours.end())
                continue;
            if (colours.size() == size)
                return FixedPalette(format);
            colours.push_back(c);
        }
    }
    colours.resize(size, OpaqueAlpha);
    return colours;
}

} // namespace

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphic(u"Invalid bitmap size " + IntToStr(width) + u" x " +
                              IntToStr(height));
    if (width == FWidth && height == FHeight)
        return;
    if (width > 0 && height > 0)
        CheckPictureSize("Bitmap", static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    const int stride = width > 0 && height > 0 ? RowStrideFor(width, FPixelFormat) : 0;
    TPixelBuffer pixels =
        TPixelBuffer::Zeroed(static_cast<size_t>(stride) * static_cast<size_t>(height));
    const int sharedBytes = std::min(stride, RowStrideFor(std::min(width, FWidth), FPixelFormat));
    for (int y = 0; y < std::min(height, FHeight) && sharedBytes > 0; ++y)
        std::memcpy(pixels.MutableData() + static_cast<size_t>(y) * stride,
                    std::as_const(*this).GetScanline(y), static_cast<size_t>(sharedBytes));
    FPixels = std::move(pixels);
    FStride = stride;
    FWidth = stride > 0 ? width : 0;
    FHeight = stride > 0 ? height : 0;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == TPixelFormat::pfDevice)
        format = TPixelFormat::pf32bit;
    if (format == TPixelFormat::pfCustom)
        throw EConvertError(u"A bitmap cannot take the custom pixel format");
    if (format == FPixelFormat)
        return;
    TBitmap converted;
    converted.FPixelFormat = format;
    converted.FPalette =
        PaletteSize(format) > 0 ? ChoosePalette(*this, format) : std::vector<TColor32>{};
    converted.SetSize(FWidth, FHeight);
    TColourIndexer indexer(converted.FPalette);
    std::vector<TColor32> row(static_cast<size_t>(FWidth));
    for (int y = 0; y < FHeight; ++y) {
        RowToColor32(FPixelFormat, FPalette,
                     static_cast<const uint8_t*>(std::as_const(*this).GetScanline(y)), row.data(),
                     FWidth);
        RowFromColor32(format, row.data(), static_cast<uint8_t*>(converted.GetScanline(y)), FWidth,
                       &indexer);
    }
    TakeFrom(converted);
    Changed();
}

void TBitmap::SetPalette(std::span<const TColor32> colours) {
    if (colours.size() > FPalette.size())
        throw EConvertError(u"A bitmap with " + IntToStr(static_cast<int64_t>(FPalette.size())) +
                            u" palette entries cannot take " +
                            IntToStr(static_cast<int64_t>(colours.size())) + u" colours");
    std::transform(colours.begin(), colours.end(), FPalette.begin(),
                   [](TColor32 c) { return c | OpaqueAlpha; });
    Changed();
}

void* TBitmap::GetScanline(int row) {
    CheckScanline(row, FHeight);
    return FPixels.MutableData() + static_cast<size_t>(row) * static_cast<size_t>(FStride);
}

const void* TBitmap::GetScanline(int row) const {
    CheckScanline(row, FHeight);
    return FPixels.Data() + static_cast<size_t>(row) * static_cast<size_t>(FStride);
}

void TBitmap::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr) {
        TBitmap empty;
        TakeFrom(empty);
        Changed();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        CopyFrom(*bitmap);
        Changed();
        return;
    }
    if (const auto* raster = dynamic_cast<const TRasterGraphic*>(source)) {
        CopyFrom(*raster);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::LoadFromStream(std::istream& stream) {
    TBitmap loaded;
    ReadBmp(stream, loaded);
    TakeFrom(loaded);
    Changed();
}

void TBitmap::SaveToStream(std::ostream& stream) const {
    WriteBmp(*this, stream);
}

void TBitmap::CopyFrom(const TBitmap& other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixelFormat = other.FPixelFormat;
    FStride = other.FStride;
    FPixels = other.FPixels;
    FPalette = other.FPalette;
}

// A raster's rows lie back to back in the pf32bit layout, so the bitmap shares its pixels.
void TBitmap::CopyFrom(const TRasterGraphic& raster) {
    TBitmap copy;
    if (!raster.Empty()) {
        copy.FWidth = raster.Width();
        copy.FHeight = raster.Height();
        copy.FStride = RowStrideFor(copy.FWidth, TPixelFormat::pf32bit);
        copy.FPixels = raster.Pixels();
    }
    TakeFrom(copy);
}

void TBitmap::TakeFrom(TBitmap& other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixelFormat = other.FPixelFormat;
    FStride = other.FStride;
    FPixels = std::move(other.FPixels);
    FPalette = std::move(other.FPalette);
}

} // namespace Host
