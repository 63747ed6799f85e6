// The second engine over zxing-cpp.
#include "SecondEngine.h"
#include "ZXingResult.h"

#include <ZXing/ReadBarcode.h>
#include <ZXing/ZXVersion.h>

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
    // As ZBar reads them: Codabar with its start and stop characters, add-ons joined.
    hints.setReturnCodabarStartEnd(true);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    return hints;
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
            barcodes.push_back(std::move(*barcode));
        }
    return barcodes;
}

} // namespace Vel
