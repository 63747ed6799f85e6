// The second engine over zxing-cpp.
#include "SecondEngine.h"
#include "ZXingResult.h"

#include <ZXing/ReadBarcode.h>
#include <ZXing/ZXVersion.h>

#include <algorithm>
#include <array>
#include <cstddef>

namespace Vel {

namespace {

#define VEL_STRINGIFY(x) #x
#define VEL_VERSION_TEXT(a, b, c) VEL_STRINGIFY(a) "." VEL_STRINGIFY(b) "." VEL_STRINGIFY(c)

constexpr std::string_view Name =
    "zxing-cpp " VEL_VERSION_TEXT(ZXING_VERSION_MAJOR, ZXING_VERSION_MINOR, ZXING_VERSION_PATCH);

ZXing::DecodeHints Hints(TEngineScope scope) {
    ZXing::DecodeHints hints;
    if (scope == TEngineScope::esZBarLacks)
        hints.setFormats(ZXing::BarcodeFormat::PDF417 | ZXing::BarcodeFormat::DataMatrix |
                         ZXing::BarcodeFormat::Aztec | ZXing::BarcodeFormat::MaxiCode |
                         ZXing::BarcodeFormat::MicroQRCode);
    else if (scope == TEngineScope::esUpright)
        hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
    // As ZBar reads them: Codabar with its start and stop characters, add-ons joined.
    hints.setReturnCodabarStartEnd(true);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    return hints;
}

// The box of the plane's dark pixels (below the level halfway between its 2nd and 98th
// percentiles), corner by corner clockwise from the top left.
std::vector<TReadPoint> DarkBox(TGrayPlane gray) {
    const std::size_t count = std::size_t(gray.Width) * std::size_t(gray.Height);
    std::array<std::size_t, 256> histogram{};
    for (std::size_t i = 0; i < count; ++i)
        ++histogram[gray.Data[i]];
    const auto percentile = [&histogram, count](std::size_t share) {
        std::size_t below = 0;
        for (std::size_t level = 0; level < histogram.size(); ++level)
            if ((below += histogram[level]) * 100 >= count * share)
                return int(level);
        return 255;
    };
    const int threshold = (percentile(2) + percentile(98)) / 2;
    int left = gray.Width, top = gray.Height, right = -1, bottom = -1;
    for (int y = 0; y < gray.Height; ++y)
        for (int x = 0; x < gray.Width; ++x)
            if (gray.Data[std::size_t(y) * std::size_t(gray.Width) + std::size_t(x)] < threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// Whether the result's corners are all one point: zxing-cpp 1.4 gives a MaxiCode, which it
// reads as the picture's only symbol, no position.
bool Unplaced(const std::vector<TReadPoint>& points) {
    return std::all_of(points.begin(), points.end(), [&points](const TReadPoint& point) {
        return point.X == points[0].X && point.Y == points[0].Y;
    });
}

} // namespace

std::string_view SecondEngineName() {
    return Name;
}

std::vector<TReadBarcode> ReadWithSecondEngine(TGrayPlane gray, TEngineScope scope,
                                               std::string_view pass) {
    const ZXing::ImageView image(gray.Data, gray.Width, gray.Height, ZXing::ImageFormat::Lum);
    std::vector<TReadBarcode> barcodes;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(image, Hints(scope)))
        if (std::optional<TReadBarcode> barcode = FromZXing(result)) {
            barcode->Pass = pass;
            // Its reader takes the symbol to be the box of the picture's dark pixels.
            if (Unplaced(barcode->Points))
                barcode->Points = DarkBox(gray);
            barcodes.push_back(std::move(*barcode));
        }
    return barcodes;
}

} // namespace Vel
