// Scans and symbols with ZBar's answers chosen through the fake ZBar: the forced paths and
// what each wrapper hands ZBar and reads back.
#include "ComponentFixtures.h"
#include "FakeZBarClient.h"
#include "TestPictures.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Vel::TVel;
using Vel::TVelSymbol;

FakeZBarSymbol SymbolWithData(const char* data) {
    return FakeZBarSymbol{
        128, data, static_cast<unsigned>(std::char_traits<char>::length(data)), 10, 0, 0, 0};
}

class FakeZBarScan : public LoaderResetTest {
protected:
    void SetUp() override {
        Vel::ZBarLibraryName = Host::FromAnsi(VEL_FAKE_ZBAR);
        const auto bitmap = TestPictures::MakeBitmap(64, 48, [](int, int) { return 0xFFFFFFu; });
        Component.Picture()->Assign(bitmap.get());
        Component.SetActive(true);
        Fake.Reset();
        Component.SetOnBarcodeDetected(Host::TNotifyEvent([this](Host::TObject* sender) {
            EXPECT_EQ(sender, &Component);
            ++Events;
            if (OnEvent)
                OnEvent();
        }));
    }

    std::vector<std::string> DataOfBarcodes() const {
        std::vector<std::string> data;
        for (int i = 0; i < Component.BarcodeCount(); ++i)
            data.push_back(Component.Barcode(i)->DataAnsi());
        return data;
    }

    // The position of the first call to the function at or after the call `from`.
    std::size_t CallIndex(const std::string& function, std::size_t from = 0) const {
        const std::vector<std::string> names = Fake.CallNames();
        return static_cast<std::size_t>(
            std::find(names.begin() + static_cast<std::ptrdiff_t>(from), names.end(), function) -
            names.begin());
    }

    FakeZBar::TFakeZBar Fake{VEL_FAKE_ZBAR};
    TVel Component{nullptr};
    int Events = 0;
    std::function<void()> OnEvent;
};

TEST_F(FakeZBarScan, BarcodesFollowZBarsOrderAndTheEventFiresOnceAfterAll) {
    for (const char* data : {"one", "two", "three"})
        Fake.AddSymbol(SymbolWithData(data));
    OnEvent = [this] {
        EXPECT_EQ(DataOfBarcodes(), (std::vector{"one"s, "two"s, "three"s}));
    };
    Component.Scan();
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(DataOfBarcodes(), (std::vector{"one"s, "two"s, "three"s}));
    EXPECT_VEL_ERROR(Component.Barcode(-1), "Incorrect index");
    EXPECT_VEL_ERROR(Component.Barcode(3), "Incorrect index");
}

TEST_F(FakeZBarScan, ImageIsMadeOverTheGrayBytesOfTheWholePicture) {
    Component.Scan();
    const Vel::TVelImage* image = Component.Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Format(), Vel::TVelImageFormat::foY800);
    EXPECT_EQ(image->Width(), 64);
    EXPECT_EQ(image->Height(), 48);
    EXPECT_EQ(image->DataLength(), 64 * 48);
    EXPECT_EQ(Component.BarcodeCount(), 0);
    EXPECT_EQ(Events, 0);
}

TEST_F(FakeZBarScan, ListEndingBeforeTheCountKeepsTheBarcodesMadeSoFar) {
    Fake.AddSymbol(SymbolWithData("one"));
    Fake.AddSymbol(SymbolWithData("two"));
    Fake.SetResult("zbar_scan_image", 3);
    EXPECT_VEL_ERROR(Component.Scan(), "ZBar Symbol is null");
    EXPECT_EQ(DataOfBarcodes(), (std::vector{"one"s, "two"s}));
    EXPECT_VEL_ERROR(Component.Barcode(2), "Incorrect index");
    EXPECT_NE(Component.Image(), nullptr);
    EXPECT_EQ(Events, 0);
}

TEST_F(FakeZBarScan, NegativeCountRaisesScanErrorAndKeepsTheImageOnly) {
    Fake.AddSymbol(SymbolWithData("one"));
    Fake.SetResult("zbar_scan_image", -1);
    EXPECT_VEL_ERROR(Component.Scan(), "Scan error");
    EXPECT_NE(Component.Image(), nullptr);
    EXPECT_EQ(Component.BarcodeCount(), 0);
    EXPECT_EQ(Events, 0);
}

TEST_F(FakeZBarScan, ImageThatZBarCannotCreateLeavesNoResults) {
    Fake.AddSymbol(SymbolWithData("one"));
    Fake.SetResult("zbar_image_create", 0);
    EXPECT_VEL_ERROR(Component.Scan(), "Can't create ZBar Image");
    EXPECT_EQ(Component.Image(), nullptr);
    EXPECT_EQ(Component.BarcodeCount(), 0);
    EXPECT_EQ(Fake.LiveObjects(), 1) << "only the scanner";
}

TEST_F(FakeZBarScan, ScannerThatZBarCannotCreateLeavesTheComponentInactive) {
    TVel other(nullptr);
    Fake.SetResult("zbar_image_scanner_create", 0);
    EXPECT_VEL_ERROR(other.SetActive(true), "Can't create ZBar ImageScanner");
    EXPECT_FALSE(other.Active());
    EXPECT_TRUE(Vel::LoadedLibrary());
    Fake.SetResult("zbar_image_scanner_create", 1);
    other.SetActive(true);
    EXPECT_TRUE(other.Active());
}

TEST_F(FakeZBarScan, ResultsAreDiscardedImageFirstAndTheScannerOnDeactivation) {
    Fake.AddSymbol(SymbolWithData("one"));
    Component.Scan();
    Fake.Reset();
    Fake.AddSymbol(SymbolWithData("two"));
    Component.Scan();
    EXPECT_LT(CallIndex("zbar_image_destroy"), CallIndex("zbar_image_create"))
        << "the first scan's image goes before the second one is made";
    Fake.Reset();
    Component.SetActive(false);
    EXPECT_EQ(Fake.CallNames(),
              (std::vector{"zbar_image_destroy"s, "zbar_image_scanner_destroy"s}));
    EXPECT_EQ(Component.Image(), nullptr);
    EXPECT_EQ(Component.BarcodeCount(), 0);
    EXPECT_EQ(Fake.LiveObjects(), 0);
}

TEST_F(FakeZBarScan, HandlerThatScansAgainLeavesOnlyTheInnerResults) {
    Fake.AddSymbol(SymbolWithData("one"));
    OnEvent = [this] {
        if (Events == 1)
            Component.Scan();
    };
    Component.Scan();
    EXPECT_EQ(Events, 2);
    EXPECT_EQ(DataOfBarcodes(), (std::vector{"one"s}));
    EXPECT_EQ(Fake.LiveObjects(), 2) << "the scanner and the inner scan's image";
}

TEST_F(FakeZBarScan, HandlerThatDeactivatesLeavesNothing) {
    Fake.AddSymbol(SymbolWithData("one"));
    OnEvent = [this] {
        Component.SetActive(false);
    };
    Component.Scan();
    EXPECT_FALSE(Component.Active());
    EXPECT_EQ(Component.Image(), nullptr);
    EXPECT_EQ(Component.BarcodeCount(), 0);
    EXPECT_EQ(Fake.LiveObjects(), 0);
}

TEST_F(FakeZBarScan, HandlerThatReplacesItselfRunsToItsEnd) {
    Fake.AddSymbol(SymbolWithData("one"));
    int after = 0;
    OnEvent = [this, &after] {
        Component.SetOnBarcodeDetected({});
        ++after;
    };
    Component.Scan();
    EXPECT_EQ(after, 1);
    Component.Scan();
    EXPECT_EQ(Events, 1);
}

TEST_F(FakeZBarScan, ExceptionOfTheHandlerPassesOutWithTheResultsComplete) {
    Fake.AddSymbol(SymbolWithData("one"));
    Fake.AddSymbol(SymbolWithData("two"));
    OnEvent = [] {
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(Component.Scan(), std::runtime_error);
    EXPECT_EQ(DataOfBarcodes(), (std::vector{"one"s, "two"s}));
}

TEST_F(FakeZBarScan, ConfigureHandsTheSettingToTheScanner) {
    Component.Configure(Vel::TVelSymbology::syEan13, Vel::TVelSymbologyAddon::sa5Digit,
                        Vel::TVelConfig::coXDensity, 3);
    const auto calls = Fake.CallsTo("zbar_image_scanner_set_config");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Args,
              (std::vector<unsigned long long>{FakeZBar::ArgOf(Component.ImageScanner()->Handle()),
                                               0x050D, 256, 3}));
    Fake.SetResult("zbar_image_scanner_set_config", 1);
    EXPECT_VEL_ERROR(Component.Configure(Vel::TVelSymbology::syEan13,
                                         Vel::TVelSymbologyAddon::saNone, Vel::TVelConfig::coEnable,
                                         7),
                     "Configuration error");
}

// A component scanned with the one symbol, its scan rectangle at (10, 20).
class FakeZBarSymbolRead : public FakeZBarScan {
protected:
    const TVelSymbol& ScanOne(const FakeZBarSymbol& symbol,
                              std::initializer_list<std::pair<int, int>> points = {}) {
        Fake.AddSymbol(symbol, points);
        Component.SetScanLeft(10);
        Component.SetScanTop(20);
        Component.Scan();
        EXPECT_EQ(Component.BarcodeCount(), 1);
        return *Component.Barcode(0);
    }
};

TEST_F(FakeZBarSymbolRead, PropertiesAreZBarsAnswersConverted) {
    const TVelSymbol& symbol = ScanOne({0x050D, "5\0 7\0", 5, 42, 3, -1, 3});
    EXPECT_EQ(symbol.Symbology(), Vel::TVelSymbology::syEan13);
    EXPECT_EQ(symbol.SymbologyAddon(), Vel::TVelSymbologyAddon::sa5Digit);
    EXPECT_EQ(Host::ToAnsi(symbol.SymbologyName()), "symbol 13");
    EXPECT_EQ(Host::ToAnsi(symbol.SymbologyAddonName()), "addon 1280");
    EXPECT_EQ(symbol.Quality(), 42);
    EXPECT_EQ(symbol.CacheCount(), 3);
    EXPECT_EQ(symbol.Orientation(), Vel::TVelOrientation::orUnknown);
    EXPECT_EQ(Host::ToAnsi(symbol.OrientationName()), "orientation -1");
    EXPECT_EQ(symbol.Modifiers(), (Vel::TVelModifiers{Vel::TVelModifier::moGs1Reserved,
                                                      Vel::TVelModifier::moAimReserved}));
}

TEST_F(FakeZBarSymbolRead, ValueHoldsWhatTheSymbolSays) {
    ScanOne({0x050D, "5\0\xFF", 3, 42, 3, 2, 1}, {{5, 7}, {30, 9}});
    const Vel::TBarcode expected{
        .Symbology = Vel::TVelSymbology::syEan13,
        .SymbologyName = "symbol 13",
        .SymbologyAddon = Vel::TVelSymbologyAddon::sa5Digit,
        .SymbologyAddonName = "addon 1280",
        .Data = "5\0\xFF"s,
        .Quality = 42,
        .Orientation = Vel::TVelOrientation::orDown,
        .OrientationName = "orientation 2",
        .Modifiers = {Vel::TVelModifier::moGs1Reserved},
        .Outline = {{15, 27}, {40, 29}},
    };
    EXPECT_EQ(Component.Barcodes(), std::vector{expected});
}

TEST_F(FakeZBarSymbolRead, DataWithZeroBytesComesBackWhole) {
    const TVelSymbol& symbol = ScanOne({128, "5\0 7\0", 5, 0, 0, 0, 0});
    EXPECT_EQ(symbol.DataLength(), 5);
    EXPECT_EQ(symbol.Data(), (std::vector<std::uint8_t>{'5', 0, ' ', '7', 0}));
    EXPECT_EQ(symbol.DataAnsi(), "5\0 7\0"s);
}

TEST_F(FakeZBarSymbolRead, EmptyDataIsNotRead) {
    const TVelSymbol& symbol = ScanOne({128, "", 0, 0, 0, 0, 0});
    EXPECT_TRUE(symbol.Data().empty());
    EXPECT_TRUE(symbol.DataAnsi().empty());
    EXPECT_TRUE(Fake.CallsTo("zbar_symbol_get_data").empty());
}

TEST_F(FakeZBarSymbolRead, OutlineIsMovedByTheScanRectanglesOrigin) {
    const TVelSymbol& symbol = ScanOne(SymbolWithData("x"), {{5, 7}, {30, 9}});
    EXPECT_EQ(symbol.LocationCount(), 2);
    EXPECT_EQ(symbol.LocationX(0), 15);
    EXPECT_EQ(symbol.LocationY(0), 27);
    EXPECT_EQ(symbol.LocationX(1), 40);
    EXPECT_EQ(symbol.LocationY(1), 29);
    EXPECT_EQ(symbol.LocationX(2), -1 + 10) << "ZBar's answer beyond the outline, moved";
    EXPECT_EQ(symbol.LocationY(-1), -1 + 20);
}

TEST_F(FakeZBarSymbolRead, SymbolWithoutComponentTakesTheOriginZero) {
    const TVelSymbol& scanned = ScanOne(SymbolWithData("x"), {{5, 7}});
    const TVelSymbol alone(nullptr, scanned.Handle());
    EXPECT_EQ(alone.LocationX(0), 5);
    EXPECT_EQ(alone.LocationY(0), 7);
}

TEST_F(FakeZBarSymbolRead, NullHandleIsRefused) {
    EXPECT_VEL_ERROR(TVelSymbol(&Component, nullptr), "ZBar Symbol is null");
}

} // namespace
