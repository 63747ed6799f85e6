// The guard reports a retry-only symbol only when it holds up.
#include "InventionGuard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Vel::TReadBarcode;
using Vel::TVelSymbology;

TReadBarcode Symbol(TVelSymbology symbology, const std::string& data, int quality, int left = 0,
                    const std::string& pass = "density3") {
    TReadBarcode barcode;
    barcode.Symbology = symbology;
    barcode.Data.assign(data.begin(), data.end());
    barcode.Quality = quality;
    barcode.Points = {{left, 10}, {left + 80, 40}};
    barcode.Pass = pass;
    return barcode;
}

TEST(InventionGuard, OnePassAloneWithLowQualityIsRefused) {
    // As density3 reads a DataBar symbol into a desktop background of the negative set.
    Vel::TInventionGuard guard;
    guard.Add({Symbol(TVelSymbology::syDataBar, "0198725652465834", 1)});
    EXPECT_TRUE(guard.Accepted().empty());
    guard.Add({Symbol(TVelSymbology::syI25, "1234", 3, 0, "mean-c")});
    EXPECT_TRUE(guard.Accepted().empty());
    // As Sauvola's threshold reads another UPC-E on the corpus's upce-1/1.
    guard.Add({Symbol(TVelSymbology::syEan13, "0017305000062", 50, 300, "sauvola")});
    EXPECT_TRUE(guard.Accepted().empty());
}

TEST(InventionGuard, SecondPassOrHighQualityOrQrCodeHoldsUp) {
    Vel::TInventionGuard confirmed;
    confirmed.Add({Symbol(TVelSymbology::syEan8, "96385074", 1, 0, "density3")});
    confirmed.Add({Symbol(TVelSymbology::syEan8, "96385074", 5, 0, "up3")});
    ASSERT_EQ(confirmed.Accepted().size(), 1u);
    EXPECT_EQ(confirmed.Accepted()[0].Pass, "density3");

    Vel::TInventionGuard strong;
    strong.Add({Symbol(TVelSymbology::syCodabar, "A1234B", Vel::TInventionGuard::QualityFloor)});
    EXPECT_EQ(strong.Accepted().size(), 1u);

    Vel::TInventionGuard qr;
    qr.Add({Symbol(TVelSymbology::syQrCode, "http://example.org", 1)});
    EXPECT_EQ(qr.Accepted().size(), 1u);
}

TEST(InventionGuard, SamePassTwiceConfirmsNothing) {
    Vel::TInventionGuard guard;
    guard.Add({Symbol(TVelSymbology::syEan13, "9780201379624", 2),
               Symbol(TVelSymbology::syEan13, "9780201379624", 2, 300)});
    EXPECT_TRUE(guard.Accepted().empty());
}

TEST(InventionGuard, TwoReadingsOfOnePlaceRefuseBoth) {
    // As ean13-extension-1/38: a wrong EAN-13 that passes the check digit, read by two passes,
    // beside the right one in the same place.
    Vel::TInventionGuard guard;
    guard.Add({Symbol(TVelSymbology::syEan13, "9180201758847", 1, 0, "mean-c"),
               Symbol(TVelSymbology::syEan13, "9780201752847", 4, 10, "mean-c")});
    guard.Add({Symbol(TVelSymbology::syEan13, "9180201758847", 60, 5, "up3")});
    EXPECT_TRUE(guard.Accepted().empty());

    // Readings of two places do not contradict each other.
    Vel::TInventionGuard apart;
    constexpr int strong = Vel::TInventionGuard::QualityFloor;
    apart.Add({Symbol(TVelSymbology::syEan13, "9780201379624", strong, 0),
               Symbol(TVelSymbology::syEan13, "9780735200449", strong, 500)});
    EXPECT_EQ(apart.Accepted().size(), 2u);
}

} // namespace
