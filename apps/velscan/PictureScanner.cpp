#include "PictureScanner.h"

#include <new>

namespace VelScan {

namespace {

std::string Ansi(const Host::String& text) {
    return Host::ToAnsi(text);
}

std::vector<std::string> ModifierNames(Vel::TVelModifiers modifiers) {
    std::vector<std::string> names;
    for (const auto modifier : {Vel::TVelModifier::moGs1Reserved, Vel::TVelModifier::moAimReserved})
        if (modifiers.Contains(modifier))
            names.push_back(Ansi(Vel::ModifierName(modifier)));
    return names;
}

TFoundBarcode ReadBarcode(Vel::TVelSymbol& symbol) {
    TFoundBarcode barcode;
    barcode.Symbology = Ansi(symbol.SymbologyName());
    barcode.Addon = Ansi(symbol.SymbologyAddonName());
    barcode.Data = symbol.Data();
    barcode.Quality = symbol.Quality();
    barcode.Orientation = Ansi(symbol.OrientationName());
    barcode.Modifiers = ModifierNames(symbol.Modifiers());
    const int points = symbol.LocationCount();
    for (int i = 0; i < points; ++i)
        barcode.Outline.push_back({symbol.LocationX(i), symbol.LocationY(i)});
    return barcode;
}

} // namespace

TPictureScanner::TPictureScanner(const std::vector<std::string>& configs,
                                 const std::optional<TScanRect>& rect)
    : FConfigs(configs) {
    if (rect) {
        FVel.SetScanLeft(rect->Left);
        FVel.SetScanTop(rect->Top);
        FVel.SetScanWidth(rect->Width);
        FVel.SetScanHeight(rect->Height);
    }
    Activate();
}

void TPictureScanner::Activate() {
    FVel.SetActive(true);
    for (const auto& config : FConfigs) {
        try {
            FVel.ImageScanner()->Configure(Host::FromAnsi(config));
        } catch (const Vel::EVelError& error) {
            throw EConfigError(std::string(error.what()) + ": '" + config + "'");
        }
    }
}

TPictureResult TPictureScanner::Scan(const TInput& input) noexcept {
    TPictureResult result;
    result.Path = input.Path;
    result.Error = input.Error;
    if (result.Error)
        return result;
    try {
        // ZBar's decoders keep some state from one image to the next (DataBar segments, for
        // one), so every picture gets a scanner of its own: its result then depends on the
        // picture alone, not on which pictures the same worker scanned before.
        FVel.SetActive(false);
        Activate();
        ScanPicture(result);
    } catch (const std::bad_alloc&) {
        result.Error = "not enough memory to read and scan the picture";
    } catch (const std::exception& error) {
        result.Error = error.what();
    } catch (...) {
        result.Error = "unexpected failure while scanning the picture";
    }
    // The picture and the scan's results are dropped at once, so that an idle worker
    // holds no picture memory.
    FVel.SetPicture(nullptr);
    if (result.Error)
        result.Barcodes.clear();
    return result;
}

void TPictureScanner::ScanPicture(TPictureResult& result) {
    Host::TPicture& picture = *FVel.Picture();
    picture.LoadFromFile(Host::FromAnsi(result.Path));
    result.Width = picture.Graphic()->Width();
    result.Height = picture.Graphic()->Height();
    FVel.Scan();
    const int count = FVel.BarcodeCount();
    result.Barcodes.reserve(count);
    for (int i = 0; i < count; ++i)
        result.Barcodes.push_back(ReadBarcode(*FVel.Barcode(i)));
}

} // namespace VelScan
