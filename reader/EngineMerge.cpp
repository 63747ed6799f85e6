#include "EngineMerge.h"

#include "Addons.h"

#include <algorithm>

namespace Vel {

namespace {

bool SameSymbol(const TReadBarcode& a, const TReadBarcode& b) {
    return a.Symbology == b.Symbology && a.Addon == b.Addon && a.Data == b.Data;
}

std::vector<std::uint8_t> MainCode(const TReadBarcode& barcode) {
    return {barcode.Data.begin(),
            barcode.Data.end() - static_cast<std::ptrdiff_t>(barcode.AddonData.size())};
}

bool SameMainCode(const TReadBarcode& a, const TReadBarcode& b) {
    return a.Symbology == b.Symbology && IsEanUpc(a.Symbology) && MainCode(a) == MainCode(b);
}

void DropAddon(TReadBarcode& barcode) {
    barcode.Data = MainCode(barcode);
    barcode.AddonData.clear();
    barcode.Addon = TVelSymbologyAddon::saNone;
}

// Settles the readings of barcodes[first]'s main code that follow it. Readings that agree
// (two labels of one product) stay as they are.
void SettleMainCode(std::vector<TReadBarcode>& barcodes, std::size_t first) {
    std::vector<std::size_t> readings;
    for (std::size_t i = first; i < barcodes.size(); ++i)
        if (SameMainCode(barcodes[first], barcodes[i]))
            readings.push_back(i);
    const TReadBarcode* addon = nullptr;
    bool disagree = false;
    bool without = false;
    for (const std::size_t i : readings) {
        without = without || barcodes[i].AddonData.empty();
        if (barcodes[i].AddonData.empty())
            continue;
        disagree = disagree || (addon != nullptr && addon->AddonData != barcodes[i].AddonData);
        addon = addon != nullptr ? addon : &barcodes[i];
    }
    if (addon == nullptr || (!without && !disagree))
        return;
    const TReadBarcode kept = *addon;
    barcodes[first] = kept;
    if (disagree)
        DropAddon(barcodes[first]);
    // The others of the group go; erased from the back so that the indices hold.
    for (auto i = readings.rbegin(); i != readings.rend() && *i != first; ++i)
        barcodes.erase(barcodes.begin() + static_cast<std::ptrdiff_t>(*i));
}

} // namespace

std::vector<TReadBarcode> MergeEngines(std::vector<TReadBarcode> first,
                                       const std::vector<TReadBarcode>& second) {
    for (const TReadBarcode& barcode : second)
        if (std::none_of(first.begin(), first.end(),
                         [&](const TReadBarcode& known) { return SameSymbol(known, barcode); }))
            first.push_back(barcode);
    for (std::size_t i = 0; i < first.size(); ++i)
        SettleMainCode(first, i);
    return first;
}

} // namespace Vel
