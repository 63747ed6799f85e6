#include "ZXingResult.h"

#include "ZBarText.h"

namespace Vel {

namespace {

using ZXing::BarcodeFormat;

TVelSymbology SymbologyOf(BarcodeFormat format) {
    switch (format) {
    case BarcodeFormat::Aztec:
        return TVelSymbology::syAztec;
    case BarcodeFormat::Codabar:
        return TVelSymbology::syCodabar;
    case BarcodeFormat::Code39:
        return TVelSymbology::syCode39;
    case BarcodeFormat::Code93:
        return TVelSymbology::syCode93;
    case BarcodeFormat::Code128:
        return TVelSymbology::syCode128;
    case BarcodeFormat::DataBar:
        return TVelSymbology::syDataBar;
    case BarcodeFormat::DataBarExpanded:
        return TVelSymbology::syDataBarExp;
    case BarcodeFormat::DataMatrix:
        return TVelSymbology::syDataMatrix;
    case BarcodeFormat::EAN8:
        return TVelSymbology::syEan8;
    case BarcodeFormat::EAN13:
    case BarcodeFormat::UPCA: // ZBar reads UPC-A as the EAN-13 it is part of
        return TVelSymbology::syEan13;
    case BarcodeFormat::ITF:
        return TVelSymbology::syI25;
    case BarcodeFormat::MaxiCode:
        return TVelSymbology::syMaxiCode;
    case BarcodeFormat::PDF417:
        return TVelSymbology::syPdf417;
    case BarcodeFormat::QRCode:
        return TVelSymbology::syQrCode;
    case BarcodeFormat::UPCE:
        return TVelSymbology::syUpcE;
    case BarcodeFormat::MicroQRCode:
        return TVelSymbology::syMicroQrCode;
    default:
        return TVelSymbology::syNone;
    }
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// An EAN/UPC text: the main code, then a space and the add-on's digits when there is one.
bool SetEanUpc(TReadBarcode& barcode, BarcodeFormat format, std::string_view text) {
    const std::size_t space = text.find(' ');
    std::string main(text.substr(0, space));
    const std::string_view addon =
        space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (format == BarcodeFormat::UPCA)
        main.insert(0, "0");
    if (format == BarcodeFormat::UPCE) {
        const std::optional<std::string> expanded = ExpandUpcE(main);
        if (!expanded)
            return false;
        main = *expanded;
    }
    if (addon.size() == 2 || addon.size() == 5) {
        barcode.Addon =
            addon.size() == 2 ? TVelSymbologyAddon::sa2Digit : TVelSymbologyAddon::sa5Digit;
        barcode.AddonData = Bytes(addon);
    } else if (!addon.empty()) {
        return false;
    }
    barcode.Data = Bytes(main + std::string(addon));
    return true;
}

// The data in ZBar's form; false where the text does not fit the symbology.
bool SetData(TReadBarcode& barcode, const ZXing::Result& result) {
    const std::string text = result.text();
    switch (result.format()) {
    case BarcodeFormat::EAN8:
    case BarcodeFormat::EAN13:
    case BarcodeFormat::UPCA:
    case BarcodeFormat::UPCE:
        return SetEanUpc(barcode, result.format(), text);
    case BarcodeFormat::DataBar:
        barcode.Data = Bytes("01" + text);
        return true;
    case BarcodeFormat::DataBarExpanded: {
        const std::optional<std::string> raw = Gs1RawText(text);
        if (raw)
            barcode.Data = Bytes(*raw);
        return raw.has_value();
    }
    default:
        break;
    }
    // GS1 content in its raw form (GS separators, no leading FNC1), binary as it is, text
    // as UTF-8.
    if (result.contentType() == ZXing::ContentType::GS1 ||
        result.contentType() == ZXing::ContentType::Binary)
        barcode.Data.assign(result.bytes().begin(), result.bytes().end());
    else
        barcode.Data = Bytes(text);
    return true;
}

// ZBar's orientation from the engine's angle in degrees: the nearest quarter turn.
TVelOrientation OrientationOf(int degrees) {
    const int quarter = (((degrees + 45) % 360 + 360) % 360) / 90;
    constexpr TVelOrientation Quarters[] = {TVelOrientation::orUp, TVelOrientation::orRight,
                                            TVelOrientation::orDown, TVelOrientation::orLeft};
    return Quarters[quarter];
}

bool IsGs1(const ZXing::Result& result) {
    return result.contentType() == ZXing::ContentType::GS1 ||
           result.format() == BarcodeFormat::DataBar ||
           result.format() == BarcodeFormat::DataBarExpanded;
}

} // namespace

std::optional<TReadBarcode> FromZXing(const ZXing::Result& result) {
    TReadBarcode barcode;
    barcode.Symbology = SymbologyOf(result.format());
    if (!result.isValid() || barcode.Symbology == TVelSymbology::syNone ||
        !SetData(barcode, result))
        return std::nullopt;
    if (IsGs1(result))
        barcode.Modifiers.Include(TVelModifier::moGs1Reserved);
    barcode.Quality = std::max(1, result.lineCount());
    barcode.Orientation = OrientationOf(result.orientation());
    for (const ZXing::PointI& corner : result.position())
        barcode.Points.push_back({corner.x, corner.y});
    return barcode;
}

} // namespace Vel
