// TVel's picture to gray conversion: the scan rectangle of the picture as gray bytes.
#include "vel/TVel.h"

#include "GrayConversion.h"
#include "ScanArea.h"
#include "vel/host/Bitmap.h"

#include <optional>
#include <utility>

namespace Vel {

// The gray bytes of the scan rectangle cut to the picture, row after row from the top, with
// width and height set to the cut rectangle's size. Empty when the rectangle lies beyond the
// picture; width and height are then the whole picture's size.
std::vector<std::uint8_t> TVel::GetPictureData(int& width, int& height) const {
    Host::TBitmap bitmap;
    bitmap.Assign(FPicture->Graphic());
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    width = bitmap.Width();
    height = bitmap.Height();
    const std::optional<TScanArea> area =
        ClipScanArea(width, height, FScanLeft, FScanTop, FScanWidth, FScanHeight);
    if (!area)
        return {};
    std::vector<std::uint8_t> gray(static_cast<std::size_t>(ScanAreaByteCount(*area)));
    width = area->Width;
    height = area->Height;
    const auto rowLength = static_cast<std::size_t>(area->Width);
    std::uint8_t* out = gray.data();
    for (int y = area->Top; y < area->Top + area->Height; ++y, out += rowLength) {
        const auto* row = static_cast<const std::uint32_t*>(std::as_const(bitmap).GetScanline(y));
        ConvertRowToGray(row + area->Left, rowLength, out);
    }
    return gray;
}

} // namespace Vel
