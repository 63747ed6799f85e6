#include "PassRunner.h"

#include "Addons.h"
#include "BullsEye.h"
#include "Conversions.h"
#include "EngineMerge.h"
#include "QrText.h"
#include "SecondEngine.h"
#include "Straighten.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/VelError.h"
#include "vel/ZBarEntries.h"

#include <algorithm>
#include <set>

namespace Vel {

namespace {

// The settings above efFast: whole QR text and EAN/UPC add-ons.
constexpr const char16_t* WholeResultSettings[] = {u"qrcode.binary=1", u"ean2.enable=1",
                                                   u"ean5.enable=1"};

void Configure(TVelImageScanner& scanner, const std::string& config) {
    try {
        scanner.Configure(Host::FromAnsi(config));
    } catch (const EVelError& error) {
        throw EVelError(error.Message() + u": '" + Host::FromAnsi(config) + u"'");
    }
}

// Only the symbologies chosen are enabled in ZBar; one ZBar has no decoder for (Debian's
// ZBar reads no PDF417) is left to the second engine.
void EnableOnly(TVelImageScanner& scanner, const std::vector<TVelSymbology>& symbologies) {
    scanner.Configure(TVelSymbology::syNone, TVelSymbologyAddon::saNone, TVelConfig::coEnable, 0);
    for (const TVelSymbology symbology : symbologies) {
        if (symbology > TVelSymbology::syCode128)
            continue;
        try {
            scanner.Configure(symbology, TVelSymbologyAddon::saNone, TVelConfig::coEnable, 1);
        } catch (const EVelError&) {
        }
    }
}

void Configure(TVelImageScanner& scanner, const TPass& pass, const TReadOptions& options) {
    if (!options.Symbologies().empty())
        EnableOnly(scanner, options.Symbologies());
    if (options.Effort() != TVelEffort::efFast)
        for (const char16_t* setting : WholeResultSettings)
            scanner.Configure(setting);
    if (pass.Density > 0) {
        scanner.Configure(TVelSymbology::syNone, TVelSymbologyAddon::saNone, TVelConfig::coXDensity,
                          pass.Density);
        scanner.Configure(TVelSymbology::syNone, TVelSymbologyAddon::saNone, TVelConfig::coYDensity,
                          pass.Density);
    }
    for (const std::string& config : options.Settings())
        Configure(scanner, config);
}

TReadBarcode CopySymbol(const ZBar::zbar_symbol_t* symbol, const TPointMap& map,
                        std::string_view pass) {
    TReadBarcode barcode;
    const ZBar::zbar_symbol_type_t type = zbar_symbol_get_type(symbol);
    barcode.Symbology = SymbologyFromCode(type);
    barcode.Addon = AddonFromCode(type);
    const auto* data = reinterpret_cast<const std::uint8_t*>(zbar_symbol_get_data(symbol));
    barcode.Data.assign(data, data + zbar_symbol_get_data_length(symbol));
    barcode.Quality = zbar_symbol_get_quality(symbol);
    barcode.Orientation = static_cast<TVelOrientation>(zbar_symbol_get_orientation(symbol));
    barcode.Modifiers = ModifiersFromMask(zbar_symbol_get_modifiers(symbol));
    barcode.Configs = ConfigsFromMask(zbar_symbol_get_configs(symbol));
    const unsigned points = zbar_symbol_get_loc_size(symbol);
    for (unsigned i = 0; i < points; ++i)
        barcode.Points.push_back(
            map.Apply(zbar_symbol_get_loc_x(symbol, i), zbar_symbol_get_loc_y(symbol, i)));
    barcode.Pass = pass;
    return barcode;
}

// Whether a configuration text sets QR's binary setting (for QR or for every symbology).
bool SetsQrBinary(const std::vector<std::string>& configs) {
    for (const std::string& config : configs) {
        ZBar::zbar_symbol_type_t symbology = ZBar::ZBAR_NONE;
        ZBar::zbar_config_t setting = ZBar::ZBAR_CFG_ENABLE;
        int value = 0;
        if (zbar_parse_config(config.c_str(), &symbology, &setting, &value) == 0 &&
            setting == ZBar::ZBAR_CFG_BINARY &&
            (symbology == ZBar::ZBAR_NONE || symbology == ZBar::ZBAR_QRCODE))
            return true;
    }
    return false;
}

// The symbologies the options leave out: those not chosen, when some are, and those the
// settings disable ("ean13.disable", "*.enable=0", ...), in order, so that the second engine
// reports none of them either; a setting for every symbology reaches the second engine's own
// codes too.
std::set<TVelSymbology> DisabledSymbologies(const TReadOptions& options) {
    std::set<TVelSymbology> disabled;
    const auto& chosen = options.Symbologies();
    for (int code = 1; !chosen.empty() && code <= static_cast<int>(TVelSymbology::syMicroQrCode);
         ++code)
        if (std::find(chosen.begin(), chosen.end(), static_cast<TVelSymbology>(code)) ==
            chosen.end())
            disabled.insert(static_cast<TVelSymbology>(code));
    for (const std::string& config : options.Settings()) {
        ZBar::zbar_symbol_type_t symbology = ZBar::ZBAR_NONE;
        ZBar::zbar_config_t setting = ZBar::ZBAR_CFG_ENABLE;
        int value = 0;
        if (zbar_parse_config(config.c_str(), &symbology, &setting, &value) != 0 ||
            setting != ZBar::ZBAR_CFG_ENABLE)
            continue;
        for (int code = 1; code <= static_cast<int>(TVelSymbology::syMicroQrCode); ++code)
            if (symbology == ZBar::ZBAR_NONE || code == static_cast<int>(symbology)) {
                if (value == 0)
                    disabled.insert(static_cast<TVelSymbology>(code));
                else
                    disabled.erase(static_cast<TVelSymbology>(code));
            }
    }
    return disabled;
}

// QR text decoded and add-ons joined, as the settings above efFast ask.
void MakeWhole(std::vector<TReadBarcode>& barcodes, bool qrText) {
    if (qrText)
        for (TReadBarcode& barcode : barcodes)
            if (barcode.Symbology == TVelSymbology::syQrCode)
                barcode.Data = QrTextToUtf8(barcode.Data);
    MergeAddons(barcodes);
}

// The orientation in the picture of a code read in its image turned clockwise by turns
// quarters.
TVelOrientation TurnedBack(TVelOrientation orientation, int turns) {
    if (orientation == TVelOrientation::orUnknown)
        return orientation;
    return static_cast<TVelOrientation>((static_cast<int>(orientation) + 4 - turns) % 4);
}

} // namespace

TPassRunner::TPassRunner(TReadOptions options)
    : FOptions(std::move(options)),
      FQrText(FOptions.Effort() != TVelEffort::efFast && !SetsQrBinary(FOptions.Settings())),
      FDisabled(DisabledSymbologies(FOptions)) {
    // A text ZBar refuses is found before any picture is read.
    TVelImageScanner scanner;
    for (const std::string& config : FOptions.Settings())
        Configure(scanner, config);
}

std::vector<TReadBarcode> TPassRunner::Run(const TPass& pass, TGrayPlane gray, TEngineScope scope) {
    const TWorkImage image = MakePassImage(pass, gray, FBuffers);
    // A pass whose image came out as the picture itself (upright already) adds nothing.
    if (pass.Image != TPassImage::piGray && image.View.Data == gray.Data)
        return {};
    if (pass.Engine == TPassEngine::peSecond)
        return RunSecondEngine(pass, image, pass.LackedOnly ? TEngineScope::esZBarLacks : scope);
    TVelImageScanner scanner;
    Configure(scanner, pass, FOptions);
    const int length = image.View.Width * image.View.Height;
    TVelImage zbarImage(TVelImageFormat::foY800, image.View.Width, image.View.Height,
                        image.View.Data, length);
    const int count = scanner.Scan(&zbarImage);
    std::vector<TReadBarcode> barcodes;
    barcodes.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (const ZBar::zbar_symbol_t* symbol = zbar_image_first_symbol(zbarImage.Handle());
         symbol != nullptr; symbol = zbar_symbol_next(symbol))
        barcodes.push_back(CopySymbol(symbol, image.Map, pass.Name));
    if (FOptions.Effort() != TVelEffort::efFast)
        MakeWhole(barcodes, FQrText);
    // ZBar obeys the settings itself; an add-on the whole results enable may stand alone.
    if (!FOptions.Symbologies().empty())
        DropDisabled(barcodes);
    return barcodes;
}

std::vector<TReadBarcode> TPassRunner::RunSecondEngine(const TPass& pass, const TWorkImage& image,
                                                       TEngineScope scope) {
    std::vector<TReadBarcode> found = FindWithSecondEngine(image, scope, pass.Name);
    const bool turn = pass.QuarterTurns && found.empty() && HasBullsEyeAtCentre(image.View);
    for (int turns = 1; turn && found.empty() && turns < 4; ++turns) {
        found = FindWithSecondEngine(TurnQuarters(image, turns, FBuffers.Turned),
                                     TEngineScope::esUpright, pass.Name);
        for (TReadBarcode& barcode : found)
            barcode.Orientation = TurnedBack(barcode.Orientation, turns);
    }
    return MergeEngines({}, found);
}

std::vector<TReadBarcode> TPassRunner::FindWithSecondEngine(const TWorkImage& image,
                                                            TEngineScope scope,
                                                            std::string_view pass) const {
    std::vector<TReadBarcode> found = ReadWithSecondEngine(image.View, scope, pass);
    DropDisabled(found);
    for (TReadBarcode& barcode : found)
        for (TReadPoint& point : barcode.Points)
            point = image.Map.Apply(point.X, point.Y);
    return found;
}

void TPassRunner::DropDisabled(std::vector<TReadBarcode>& barcodes) const {
    std::erase_if(barcodes, [this](const TReadBarcode& barcode) {
        return FDisabled.contains(barcode.Symbology);
    });
}

} // namespace Vel
