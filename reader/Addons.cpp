#include "Addons.h"

#include <algorithm>
#include <limits>

namespace Vel {

namespace {

bool IsAddon(const TReadBarcode& barcode) {
    return barcode.Symbology == TVelSymbology::syEan2 || barcode.Symbology == TVelSymbology::syEan5;
}

bool TakesAddon(const TReadBarcode& barcode) {
    return IsEanUpc(barcode.Symbology) && barcode.Addon == TVelSymbologyAddon::saNone;
}

struct TCentre {
    double X = 0;
    double Y = 0;
};

TCentre Centre(const TReadBarcode& barcode) {
    TCentre centre;
    for (const TReadPoint& point : barcode.Points) {
        centre.X += point.X;
        centre.Y += point.Y;
    }
    const auto count = static_cast<double>(std::max<std::size_t>(1, barcode.Points.size()));
    return {centre.X / count, centre.Y / count};
}

double Distance(const TReadBarcode& a, const TReadBarcode& b) {
    const TCentre p = Centre(a);
    const TCentre q = Centre(b);
    return (p.X - q.X) * (p.X - q.X) + (p.Y - q.Y) * (p.Y - q.Y);
}

// The main code without an add-on yet that lies nearest to the add-on, or null.
TReadBarcode* NearestMain(std::vector<TReadBarcode>& barcodes, const TReadBarcode& addon) {
    TReadBarcode* nearest = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (TReadBarcode& barcode : barcodes) {
        if (!TakesAddon(barcode))
            continue;
        const double distance = Distance(barcode, addon);
        if (distance < best) {
            best = distance;
            nearest = &barcode;
        }
    }
    return nearest;
}

void Join(TReadBarcode& main, const TReadBarcode& addon) {
    main.Addon = addon.Symbology == TVelSymbology::syEan2 ? TVelSymbologyAddon::sa2Digit
                                                          : TVelSymbologyAddon::sa5Digit;
    main.AddonData = addon.Data;
    main.Data.insert(main.Data.end(), addon.Data.begin(), addon.Data.end());
}

} // namespace

void MergeAddons(std::vector<TReadBarcode>& barcodes) {
    for (const TReadBarcode& addon : barcodes)
        if (IsAddon(addon))
            if (TReadBarcode* main = NearestMain(barcodes, addon))
                Join(*main, addon);
    std::erase_if(barcodes, IsAddon);
}

bool IsEanUpc(TVelSymbology symbology) {
    switch (symbology) {
    case TVelSymbology::syEan8:
    case TVelSymbology::syUpcE:
    case TVelSymbology::syIsbn10:
    case TVelSymbology::syUpcA:
    case TVelSymbology::syEan13:
    case TVelSymbology::syIsbn13:
        return true;
    default:
        return false;
    }
}

} // namespace Vel
