// Add-ons join the main code nearest to them; an add-on alone is no result.
#include "Addons.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Vel::TReadBarcode;
using Vel::TVelSymbology;
using Vel::TVelSymbologyAddon;

TReadBarcode Symbol(TVelSymbology symbology, const std::string& data, int left) {
    TReadBarcode barcode;
    barcode.Symbology = symbology;
    barcode.Data.assign(data.begin(), data.end());
    barcode.Points = {{left, 10}, {left + 50, 10}};
    return barcode;
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(MergeAddons, AddonBeforeItsMainCodeJoinsIt) {
    std::vector<TReadBarcode> found = {Symbol(TVelSymbology::syEan5, "51299", 120),
                                       Symbol(TVelSymbology::syEan13, "9780735200449", 0)};
    Vel::MergeAddons(found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Symbology, TVelSymbology::syEan13);
    EXPECT_EQ(found[0].Addon, TVelSymbologyAddon::sa5Digit);
    EXPECT_EQ(Text(found[0].Data), "978073520044951299");
    EXPECT_EQ(Text(found[0].AddonData), "51299");
}

TEST(MergeAddons, EachAddonJoinsTheNearestMainCode) {
    std::vector<TReadBarcode> found = {Symbol(TVelSymbology::syUpcA, "012345678905", 0),
                                       Symbol(TVelSymbology::syEan13, "9780735200449", 400),
                                       Symbol(TVelSymbology::syEan2, "12", 470),
                                       Symbol(TVelSymbology::syEan5, "90000", 70)};
    Vel::MergeAddons(found);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(Text(found[0].Data), "01234567890590000");
    EXPECT_EQ(found[0].Addon, TVelSymbologyAddon::sa5Digit);
    EXPECT_EQ(Text(found[1].Data), "978073520044912");
    EXPECT_EQ(found[1].Addon, TVelSymbologyAddon::sa2Digit);
}

TEST(MergeAddons, LoneAddonIsDropped) {
    std::vector<TReadBarcode> found = {Symbol(TVelSymbology::syEan5, "51299", 0),
                                       Symbol(TVelSymbology::syCode128, "VEL", 300)};
    Vel::MergeAddons(found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Symbology, TVelSymbology::syCode128);
    EXPECT_EQ(found[0].Addon, TVelSymbologyAddon::saNone);
    EXPECT_TRUE(found[0].AddonData.empty());
}

} // namespace
