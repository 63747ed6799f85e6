// The binding against the real ZBar library, on barcodes rendered with libzint.
#include "LoaderFixtures.h"
#include "ParamLabel.h"
#include "RenderBarcode.h"
#include "vel/Vel.h"

#include <gmock/gmock.h>
#include <zint.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace Vel;

namespace {

class RealZBarTest : public LoaderStateTest {
protected:
    void SetUp() override { LoadLibrary(); }
};

struct TFound {
    unsigned Type;
    std::string Data;
    bool operator==(const TFound&) const = default;
};

void PrintTo(const TFound& found, std::ostream* out) {
    *out << found.Type << ":" << found.Data;
}

// The symbols ZBar attached to the image, read through the table's entries.
std::vector<TFound> SymbolsOf(const TVelImage& image) {
    std::vector<TFound> found;
    for (auto* symbol = zbar_image_first_symbol(image.Handle()); symbol != nullptr;
         symbol = zbar_symbol_next(symbol))
        found.push_back(
            {zbar_symbol_get_type(symbol),
             std::string(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol))});
    return found;
}

// Scans the picture with a scanner that configure has set up.
std::vector<TFound> Scan(const Support::TGrayImage& picture,
                         const std::function<void(TVelImageScanner&)>& configure = {}) {
    TVelImageScanner scanner;
    if (configure)
        configure(scanner);
    TVelImage image(TVelImageFormat::foY800, picture.Width, picture.Height, picture.Pixels.data(),
                    static_cast<int>(picture.Pixels.size()));
    const int count = scanner.Scan(&image);
    auto found = SymbolsOf(image);
    EXPECT_EQ(count, static_cast<int>(found.size()));
    return found;
}

} // namespace

TEST_F(LoaderStateTest, RealZBarLoadsAndUnloadsRepeatedly) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        LoadLibrary();
        ASSERT_TRUE(LoadedLibrary());
        unsigned major = 9, minor = 0, patch = 0;
        EXPECT_EQ(zbar_version(&major, &minor, &patch), 0);
        EXPECT_EQ(major, 0u);
        EXPECT_GE(minor, 23u);
        UnloadLibrary();
        EXPECT_FALSE(LoadedLibrary());
        EXPECT_EQ(zbar_version, nullptr);
    }
}

TEST_F(RealZBarTest, NamesAreZBars) {
    EXPECT_EQ(SymbologyName(TVelSymbology::syEan13), u"EAN-13");
    EXPECT_EQ(SymbologyName(TVelSymbology::syCode128), u"CODE-128");
    EXPECT_EQ(SymbologyName(TVelSymbology::syQrCode), u"QR-Code");
    EXPECT_EQ(SymbologyName(TVelSymbology::syDataBarExp), u"DataBar-Exp");
    EXPECT_EQ(SymbologyAddonName(TVelSymbologyAddon::saNone), u"");
    EXPECT_EQ(ModifierName(TVelModifier::moGs1Reserved), u"GS1");
    EXPECT_EQ(ModifierName(TVelModifier::moAimReserved), u"AIM");
    EXPECT_EQ(OrientationName(TVelOrientation::orUnknown), u"UNKNOWN");
    EXPECT_EQ(OrientationName(TVelOrientation::orUp), u"UP");
    EXPECT_EQ(OrientationName(TVelOrientation::orLeft), u"LEFT");
}

// The UTF-8 forms stream as they are.
TEST_F(RealZBarTest, NamesInUtf8AreZBars) {
    std::ostringstream out;
    out << Vel::Utf8::SymbologyName(TVelSymbology::syEan13) << ' '
        << Vel::Utf8::SymbologyName(TVelSymbology::syDataMatrix) << ' '
        << Vel::Utf8::ModifierName(TVelModifier::moGs1Reserved) << ' '
        << Vel::Utf8::ConfigName(TVelConfig::coEmitCheck) << ' '
        << Vel::Utf8::OrientationName(TVelOrientation::orUp) << '['
        << Vel::Utf8::SymbologyAddonName(TVelSymbologyAddon::saNone) << ']';
    EXPECT_EQ(out.str(), "EAN-13 DataMatrix GS1 EMIT_CHECK UP[]");
}

struct TBarcodeCase {
    const char* Label;
    int Symbology;
    const char* Input;
    TFound Expected;
};

class RealZBarScanTest : public RealZBarTest, public testing::WithParamInterface<TBarcodeCase> {};

TEST_P(RealZBarScanTest, FindsTheBarcodeAndItsData) {
    const auto picture = Support::RenderBarcode(GetParam().Symbology, GetParam().Input);
    EXPECT_THAT(Scan(picture), testing::ElementsAre(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    RealZBar, RealZBarScanTest,
    testing::Values(
        TBarcodeCase{"Ean13", BARCODE_EANX, "590123412345", {13, "5901234123457"}},
        TBarcodeCase{"Code128", BARCODE_CODE128, "Vel-128 binding", {128, "Vel-128 binding"}},
        TBarcodeCase{"QrCode", BARCODE_QRCODE, "Vel QR binding test", {64, "Vel QR binding test"}}),
    ParamLabel());

TEST_F(RealZBarTest, ASymbologySwitchedOffIsNotFound) {
    const auto picture = Support::RenderBarcode(BARCODE_EANX, "590123412345");
    const std::function<void(TVelImageScanner&)> switchOffs[] = {
        [](TVelImageScanner& scanner) {
            scanner.Configure(TVelSymbology::syEan13, TVelSymbologyAddon::saNone,
                              TVelConfig::coEnable, 0);
        },
        [](TVelImageScanner& scanner) { scanner.Configure(u"ean13.enable=0"); },
        [](TVelImageScanner& scanner) { scanner.Configure(u"ean13.disable"); },
    };
    for (const auto& switchOff : switchOffs)
        EXPECT_TRUE(Scan(picture, switchOff).empty());
}

TEST_F(RealZBarTest, ConfigurationTextsZBarRejectsRaise) {
    TVelImageScanner scanner;
    scanner.Configure(u"x-density=2");
    scanner.Configure(TVelSymbology::syNone, TVelSymbologyAddon::saNone, TVelConfig::coYDensity, 2);
    for (const char16_t* text : {u"no-such-symbology.enable=1", u"ean13.no-such-setting=1", u""})
        EXPECT_VEL_ERROR(scanner.Configure(text), "Configuration error");
}

TEST_F(RealZBarTest, ABlankImageHasNoBarcode) {
    Support::TGrayImage blank{64, 48, std::vector<std::uint8_t>(64 * 48, 255)};
    EXPECT_TRUE(Scan(blank).empty());
}
