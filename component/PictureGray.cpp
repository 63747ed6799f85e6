#include "PictureGray.h"

#include "GrayConversion.h"
#include "vel/host/Bitmap.h"

#include <utility>

namespace Vel {

std::optional<TPictureGray> PictureGray(Host::TGraphic* graphic, const TScanArea& request,
                                        int& width, int& height) {
    // The bitmap shares the graphic's pixels; reading its rows through the const scan line
    // keeps it from copying them.
    Host::TBitmap bitmap;
    bitmap.Assign(graphic);
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    width = bitmap.Width();
    height = bitmap.Height();
    const std::optional<TScanArea> area =
        ClipScanArea(width, height, request.Left, request.Top, request.Width, request.Height);
    if (!area)
        return std::nullopt;
    TPictureGray gray{std::vector<std::uint8_t>(static_cast<std::size_t>(ScanAreaByteCount(*area))),
                      *area};
    width = area->Width;
    height = area->Height;
    const auto rowLength = static_cast<std::size_t>(area->Width);
    std::uint8_t* out = gray.Bytes.data();
    for (int y = area->Top; y < area->Top + area->Height; ++y, out += rowLength) {
        const auto* row = static_cast<const std::uint32_t*>(std::as_const(bitmap).GetScanline(y));
        ConvertRowToGray(row + area->Left, rowLength, out);
    }
    return gray;
}

} // namespace Vel
