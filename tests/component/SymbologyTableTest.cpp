// End to end with the real libzbar: a barcode of each symbology ZBar reads, rendered by
// libzint and saved in each of the host's file formats, is found by Scan with its symbology,
// its data and an outline on the drawn bars.
#include "ComponentFixtures.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "vel/ImageScanner.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TestPictures::TFileKind;
using Vel::TVelSymbology;
using Vel::TVelSymbologyAddon;

struct TExpectedBarcode {
    TVelSymbology Symbology;
    std::string SymbologyName;
    std::string Data;
};

struct TSymbologyCase {
    const char* Name;
    int ZintSymbology;
    std::string Input;
    // Settings applied to the active component before the scan.
    std::function<void(Vel::TVel&)> Setup;
    std::vector<TExpectedBarcode> Expected;
};

void Enable(Vel::TVel& component, TVelSymbology symbology) {
    component.Configure(symbology, TVelSymbologyAddon::saNone, Vel::TVelConfig::coEnable, 1);
}

const std::vector<TSymbologyCase>& Cases() {
    using enum TVelSymbology;
    static const std::vector<TSymbologyCase> cases = {
        {"Ean13", BARCODE_EANX, "400638133393", {}, {{syEan13, "EAN-13", "4006381333931"}}},
        {"Ean8", BARCODE_EANX, "1234567", {}, {{syEan8, "EAN-8", "12345670"}}},
        {"UpcA",
         BARCODE_UPCA,
         "72527273070",
         [](Vel::TVel& v) { Enable(v, syUpcA); },
         {{syUpcA, "UPC-A", "725272730706"}}},
        {"UpcE",
         BARCODE_UPCE,
         "0123456",
         [](Vel::TVel& v) { Enable(v, syUpcE); },
         {{syUpcE, "UPC-E", "01234565"}}},
        {"Isbn10",
         BARCODE_EANX,
         "978020137962",
         [](Vel::TVel& v) { Enable(v, syIsbn10); },
         {{syIsbn10, "ISBN-10", "0201379627"}}},
        {"Isbn13",
         BARCODE_EANX,
         "978020137962",
         [](Vel::TVel& v) { Enable(v, syIsbn13); },
         {{syIsbn13, "ISBN-13", "9780201379624"}}},
        {"Code128", BARCODE_CODE128, "Vel 128-test", {}, {{syCode128, "CODE-128", "Vel 128-test"}}},
        {"Code39", BARCODE_CODE39, "VEL-39 TEST", {}, {{syCode39, "CODE-39", "VEL-39 TEST"}}},
        {"Code93", BARCODE_CODE93, "VEL-93", {}, {{syCode93, "CODE-93", "VEL-93"}}},
        {"Interleaved2of5", BARCODE_C25INTER, "1234567890", {}, {{syI25, "I2/5", "1234567890"}}},
        {"Codabar", BARCODE_CODABAR, "A40156B", {}, {{syCodabar, "Codabar", "A40156B"}}},
        {"DataBar",
         BARCODE_DBAR_OMN,
         "2001234567890",
         {},
         {{syDataBar, "DataBar", "0120012345678909"}}},
        {"DataBarExpanded",
         BARCODE_DBAR_EXP,
         "[01]98898765432106[3103]001750",
         {},
         {{syDataBarExp, "DataBar-Exp", "01988987654321063103001750"}}},
        {"QrCode",
         BARCODE_QRCODE,
         "Vel QR code 12345",
         {},
         {{syQrCode, "QR-Code", "Vel QR code 12345"}}},
        // Add-ons are enabled through the scanner's configuration text; ZBar 0.23 reports an
        // add-on as a symbol of its own, before the main one.
        {"Ean13With2DigitAddon",
         BARCODE_EANX,
         "400638133393+12",
         [](Vel::TVel& v) { v.ImageScanner()->Configure(u"ean2.enable=1"); },
         {{syEan2, "EAN-2", "12"}, {syEan13, "EAN-13", "4006381333931"}}},
        {"Ean13With5DigitAddon",
         BARCODE_EANX,
         "400638133393+54495",
         [](Vel::TVel& v) { v.ImageScanner()->Configure(u"ean5.enable=1"); },
         {{syEan5, "EAN-5", "54495"}, {syEan13, "EAN-13", "4006381333931"}}},
    };
    return cases;
}

void PrintTo(const TSymbologyCase& c, std::ostream* os) {
    *os << c.Name;
}

constexpr int Scale = 3;

class SymbologyTable : public LoaderResetTest,
                       public testing::WithParamInterface<std::tuple<TSymbologyCase, TFileKind>> {};

TEST_P(SymbologyTable, ScanFindsTheBarcodeWithItsDataAndOutline) {
    const auto& [c, kind] = GetParam();
    const Support::TGrayImage drawn = Support::RenderBarcode(c.ZintSymbology, c.Input, Scale, 24);
    Support::TTempFolder folder;
    const auto file = folder.Path(std::string("barcode.") + TestPictures::KindName(kind));
    TestPictures::Save(*TestPictures::ToBitmap(drawn), kind, file);

    Vel::TVel component(nullptr);
    component.SetActive(true);
    if (c.Setup)
        c.Setup(component);
    component.Picture()->LoadFromFile(TestPictures::HostPath(file));
    component.Scan();

    ASSERT_EQ(component.BarcodeCount(), static_cast<int>(c.Expected.size()));
    const TestPictures::TBox box = TestPictures::DarkBox(drawn, Scale);
    for (int i = 0; i < component.BarcodeCount(); ++i) {
        const Vel::TVelSymbol& barcode = *component.Barcode(i);
        const TExpectedBarcode& expected = c.Expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(barcode.Symbology(), expected.Symbology);
        EXPECT_EQ(barcode.SymbologyAddon(), TVelSymbologyAddon::saNone);
        EXPECT_EQ(Host::ToAnsi(barcode.SymbologyName()), expected.SymbologyName);
        EXPECT_EQ(barcode.DataAnsi(), expected.Data);
        EXPECT_GT(barcode.LocationCount(), 0);
        for (int p = 0; p < barcode.LocationCount(); ++p)
            EXPECT_TRUE(box.Contains(barcode.LocationX(p), barcode.LocationY(p)))
                << "point " << p << " at (" << barcode.LocationX(p) << ", " << barcode.LocationY(p)
                << ") outside the bars from (" << box.Left << ", " << box.Top << ") to ("
                << box.Right << ", " << box.Bottom << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Symbologies, SymbologyTable,
    testing::Combine(testing::ValuesIn(Cases()),
                     testing::Values(TFileKind::Png, TFileKind::Jpeg, TFileKind::Bmp)),
    [](const testing::TestParamInfo<std::tuple<TSymbologyCase, TFileKind>>& info) {
        return std::string(std::get<0>(info.param).Name) +
               TestPictures::KindName(std::get<1>(info.param));
    });

} // namespace
