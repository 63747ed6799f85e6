// Two engines' results as one list: a symbol once, the add-on the engines agree on, none
// where they disagree.
#include "EngineMerge.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Vel::TReadBarcode;
using Vel::TVelSymbology;
using Vel::TVelSymbologyAddon;

TReadBarcode Symbol(TVelSymbology symbology, const std::string& main, const std::string& addon,
                    const std::string& pass) {
    TReadBarcode barcode;
    barcode.Symbology = symbology;
    const std::string data = main + addon;
    barcode.Data.assign(data.begin(), data.end());
    barcode.AddonData.assign(addon.begin(), addon.end());
    barcode.Addon = addon.empty()       ? TVelSymbologyAddon::saNone
                    : addon.size() == 2 ? TVelSymbologyAddon::sa2Digit
                                        : TVelSymbologyAddon::sa5Digit;
    barcode.Pass = pass;
    return barcode;
}

TReadBarcode Ean13(const std::string& addon, const std::string& pass) {
    return Symbol(TVelSymbology::syEan13, "9780735200449", addon, pass);
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(MergeEngines, TheSameSymbolFromBothOnceAsTheFirstFoundIt) {
    const auto merged =
        Vel::MergeEngines({Symbol(TVelSymbology::syQrCode, "VEL", "", "default")},
                          {Symbol(TVelSymbology::syQrCode, "VEL", "", "zxing"),
                           Symbol(TVelSymbology::syDataMatrix, "VEL", "", "zxing")});
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].Pass, "default");
    EXPECT_EQ(merged[1].Symbology, TVelSymbology::syDataMatrix);
}

TEST(MergeEngines, ACodeWithItsAddonWinsOverTheCodeAlone) {
    const auto merged = Vel::MergeEngines({Ean13("", "default")}, {Ean13("51299", "zxing")});
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(Text(merged[0].Data), "978073520044951299");
    EXPECT_EQ(merged[0].Addon, TVelSymbologyAddon::sa5Digit);
    EXPECT_EQ(merged[0].Pass, "zxing");
    // The same within one engine's results, whichever comes first.
    const auto own = Vel::MergeEngines({}, {Ean13("51299", "zxing"), Ean13("", "zxing")});
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(Text(own[0].AddonData), "51299");
}

TEST(MergeEngines, TwoDifferentAddonsGiveTheMainCodeAlone) {
    const auto merged = Vel::MergeEngines(
        {Symbol(TVelSymbology::syCode128, "A", "", "default"), Ean13("12", "default")},
        {Ean13("51299", "zxing")});
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].Symbology, TVelSymbology::syCode128);
    EXPECT_EQ(Text(merged[1].Data), "9780735200449");
    EXPECT_TRUE(merged[1].AddonData.empty());
    EXPECT_EQ(merged[1].Addon, TVelSymbologyAddon::saNone);
}

TEST(MergeEngines, TwoLabelsOfOneProductStay) {
    const auto merged =
        Vel::MergeEngines({Ean13("51299", "default"), Ean13("51299", "default")}, {});
    EXPECT_EQ(merged.size(), 2u);
    const auto plain = Vel::MergeEngines({Ean13("", "default"), Ean13("", "default")}, {});
    EXPECT_EQ(plain.size(), 2u);
}

} // namespace
