#include "vel/host/RasterGraphic.h"

#include "CodecSupport.h"
#include "PictureSize.h"
#include "PixelFormats.h"
#include "vel/host/Errors.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>

namespace Host {

namespace {

// A bitmap's pixels in the 32-bit layout: its own buffer for pf32bit, whose rows lie back to
// back in that layout, otherwise a conversion.
TPixelBuffer ColoursFrom(const TBitmap& bitmap) {
    if (bitmap.PixelFormat() == TPixelFormat::pf32bit)
        return bitmap.Pixels();
    const auto width = static_cast<size_t>(bitmap.Width());
    TPixelBuffer pixels = TPixelBuffer::Uninitialised(width * static_cast<size_t>(bitmap.Height()) *
                                                      sizeof(TColor32));
    TColor32* dest = ColoursOf(pixels);
    for (int y = 0; y < bitmap.Height(); ++y)
        RowToColor32(bitmap.PixelFormat(), bitmap.Palette(),
                     static_cast<const uint8_t*>(bitmap.GetScanline(y)),
                     dest + static_cast<size_t>(y) * width, bitmap.Width());
    return pixels;
}

} // namespace

TPixelBuffer AllocatePixels(const char* kind, uint64_t width, uint64_t height) {
    CheckPictureSize(kind, width, height);
    return TPixelBuffer::Uninitialised(static_cast<size_t>(width * height) * sizeof(TColor32));
}

void TRasterGraphic::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphic(FromAnsi("Invalid picture size " + std::to_string(width) + " x " +
                                       std::to_string(height)));
    if (width == 0 || height == 0) {
        TakePixels(0, 0, {});
        return;
    }
    CheckPictureSize("Picture", static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    TPixelBuffer pixels = TPixelBuffer::Zeroed(static_cast<size_t>(width) *
                                               static_cast<size_t>(height) * sizeof(TColor32));
    TColor32* dest = ColoursOf(pixels);
    const int sharedWidth = std::min(width, FWidth);
    for (int y = 0; y < std::min(height, FHeight); ++y)
        std::copy_n(std::as_const(*this).GetScanline(y), sharedWidth,
                    dest + static_cast<ptrdiff_t>(y) * width);
    TakePixels(width, height, std::move(pixels));
}

TColor32* TRasterGraphic::GetScanline(int row) {
    CheckScanline(row, FHeight);
    ForgetFileBytes(); // the caller may write the row
    return ColoursOf(FPixels) + static_cast<size_t>(row) * static_cast<size_t>(FWidth);
}

const TColor32* TRasterGraphic::GetScanline(int row) const {
    CheckScanline(row, FHeight);
    return reinterpret_cast<const TColor32*>(FPixels.Data()) +
           static_cast<size_t>(row) * static_cast<size_t>(FWidth);
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
        TakePixels(bitmap->Width(), bitmap->Height(), ColoursFrom(*bitmap));
    } else {
        TGraphic::Assign(source);
    }
}

void TRasterGraphic::LoadKeepingFile(std::istream& stream, const char* kind,
                                     const std::function<void(std::istream& file)>& decode) {
    std::istringstream file(ReadRest(stream, kind));
    decode(file);
    // Saving a later page writes that page alone: the file would load its first page.
    if (FPageIndex == 0)
        KeepFileBytes(std::move(file).str());
}

void TRasterGraphic::TakePixels(int width, int height, TPixelBuffer pixels,
                                const TLoadFacts& facts) {
    FWidth = width;
    FHeight = height;
    FPixels = std::move(pixels);
    FPageIndex = facts.PageIndex;
    FPageCount = facts.PageCount;
    FIncomplete = facts.Incomplete;
    Changed();
}

void TRasterGraphic::TakePixels(int width, int height, TPixelBuffer pixels) {
    TakePixels(width, height, std::move(pixels), TLoadFacts{});
}

void TRasterGraphic::CopyPixelsFrom(const TRasterGraphic& other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = other.FPixels;
    FPageIndex = other.FPageIndex;
    FPageCount = other.FPageCount;
    FIncomplete = other.FIncomplete;
}

void TPagedGraphic::LoadOnePage(std::istream& stream, const char* kind) {
    std::shared_ptr<TPageCursor> cursor;
    LoadPage(std::make_shared<const std::string>(ReadRest(stream, kind)), cursor);
}

void TPagedGraphic::SelectPage(const TPageChoice& choice) {
    CheckPageChoice(choice);
    FPageChoice = choice;
}

} // namespace Host
