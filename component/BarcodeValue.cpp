#include "BarcodeValue.h"

#include "Conversions.h"
#include "vel/ZBarEntries.h"
#include "vel/host/String.h"

namespace Vel {

TBarcode BarcodeValue(const TVelSymbol& symbol, TPoint offset) {
    TBarcode barcode;
    barcode.Symbology = symbol.Symbology();
    barcode.SymbologyName = Host::ToUtf8(symbol.SymbologyName());
    barcode.SymbologyAddon = symbol.SymbologyAddon();
    barcode.SymbologyAddonName = Host::ToUtf8(symbol.SymbologyAddonName());
    barcode.Data = symbol.DataAnsi();
    barcode.Quality = symbol.Quality();
    barcode.Orientation = symbol.Orientation();
    barcode.OrientationName = Host::ToUtf8(symbol.OrientationName());
    barcode.Modifiers = symbol.Modifiers();
    barcode.Configs = ConfigsFromMask(zbar_symbol_get_configs(symbol.Handle()));
    const int points = symbol.LocationCount();
    barcode.Outline.reserve(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i)
        barcode.Outline.push_back({symbol.LocationX(i) + offset.X, symbol.LocationY(i) + offset.Y});
    return barcode;
}

} // namespace Vel
