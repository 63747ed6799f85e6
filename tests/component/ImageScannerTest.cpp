#include "LoaderFixtures.h"
#include "vel/Vel.h"

#include <gmock/gmock.h>

#include <cstdint>

using namespace Vel;
using FakeZBar::ArgOf;
using testing::ElementsAre;
using Sy = TVelSymbology;
using Sa = TVelSymbologyAddon;
using Co = TVelConfig;

TEST_F(FakeZBarTest, ScannerConfigureHandsZBarWholeCodes) {
    TVelImageScanner scanner;
    struct {
        Sy Symbology;
        Sa Addon;
        Co Config;
        int Value;
        unsigned long long Code;
        unsigned long long ConfigCode;
    } const cases[] = {
        {Sy::syEan13, Sa::sa5Digit, Co::coEnable, 1, 0x050D, 0},
        {Sy::syCode128, Sa::saNone, Co::coEnable, 0, 128, 0},
        {Sy::syNone, Sa::saNone, Co::coXDensity, 2, 0, 0x100},
        {Sy::syQrCode, Sa::saNone, Co::coYDensity, -5, 64, 0x101},
        {Sy::syEan8, Sa::sa2Digit, Co::coMaxLength, 7, 0x0208, 0x21},
    };
    for (const auto& c : cases) {
        Fake.Reset();
        scanner.Configure(c.Symbology, c.Addon, c.Config, c.Value);
        const auto calls = Fake.CallsTo("zbar_image_scanner_set_config");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_THAT(calls[0].Args, ElementsAre(ArgOf(scanner.Handle()), c.Code, c.ConfigCode,
                                               static_cast<unsigned long long>(c.Value)));
    }
    Fake.SetResult("zbar_image_scanner_set_config", 1);
    EXPECT_VEL_ERROR(scanner.Configure(Sy::syEan13, Sa::saNone, Co::coEnable, 1),
                     "Configuration error");
}

TEST_F(FakeZBarTest, ScannerConfigureTextIsParsedAndApplied) {
    TVelImageScanner scanner;
    Fake.Reset();
    Fake.SetParseOutput(13, 0x20, 4);
    scanner.Configure(u"ean13.min-length=4");
    EXPECT_THAT(Fake.CallNames(),
                ElementsAre("zbar_parse_config", "zbar_image_scanner_set_config"));
    EXPECT_EQ(Fake.CallsTo("zbar_parse_config")[0].Text, "ean13.min-length=4");
    EXPECT_THAT(Fake.CallsTo("zbar_image_scanner_set_config")[0].Args,
                ElementsAre(ArgOf(scanner.Handle()), 13, 0x20, 4));

    Fake.Reset();
    scanner.Configure(u"");
    EXPECT_EQ(Fake.CallsTo("zbar_parse_config")[0].Text, "");

    Fake.Reset();
    scanner.Configure(u"qr\u00e9");
    EXPECT_EQ(Fake.CallsTo("zbar_parse_config")[0].Text, "qr\xC3\xA9");
}

TEST_F(FakeZBarTest, ScannerConfigureTextRaisesWhenParsingOrApplyingFails) {
    TVelImageScanner scanner;
    Fake.Reset();
    Fake.SetResult("zbar_parse_config", 1);
    EXPECT_VEL_ERROR(scanner.Configure(u"nonsense"), "Configuration error");
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_parse_config"));

    Fake.Reset();
    Fake.SetResult("zbar_image_scanner_set_config", 1);
    EXPECT_VEL_ERROR(scanner.Configure(u"ean13.enable=1"), "Configuration error");

    // ZBar would read only the part before the NUL.
    Fake.Reset();
    EXPECT_VEL_ERROR(scanner.Configure(Host::String(u"ean13.disable\0junk", 18)),
                     "Configuration error");
    EXPECT_THAT(Fake.CallNames(), ElementsAre());
}

TEST_F(FakeZBarTest, ScannerScanReturnsZBarsCountAndRaisesOnErrors) {
    TVelImageScanner scanner;
    std::uint8_t pixel = 255;
    TVelImage image(TVelImageFormat::foY800, 1, 1, &pixel, 1);
    Fake.Reset();
    EXPECT_EQ(scanner.Scan(&image), 0);
    EXPECT_THAT(Fake.CallsTo("zbar_scan_image")[0].Args,
                ElementsAre(ArgOf(scanner.Handle()), ArgOf(image.Handle())));

    Fake.SetResult("zbar_scan_image", 3);
    EXPECT_EQ(scanner.Scan(&image), 3);
    Fake.SetResult("zbar_scan_image", -1);
    EXPECT_VEL_ERROR(scanner.Scan(&image), "Scan error");

    Fake.Reset();
    EXPECT_VEL_ERROR(scanner.Scan(nullptr), "No image to scan");
    EXPECT_TRUE(Fake.Calls().empty());
}

TEST_F(FakeZBarTest, ScannerCacheSwitchPassesOneThenZero) {
    TVelImageScanner scanner;
    Fake.Reset();
    scanner.EnableCache();
    scanner.DisableCache();
    const auto calls = Fake.CallsTo("zbar_image_scanner_enable_cache");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_THAT(calls[0].Args, ElementsAre(ArgOf(scanner.Handle()), 1));
    EXPECT_THAT(calls[1].Args, ElementsAre(ArgOf(scanner.Handle()), 0));
}

TEST_F(FakeZBarTest, ScannerOwnsItsZBarScanner) {
    unsigned long long handle = 0;
    {
        TVelImageScanner scanner;
        handle = ArgOf(scanner.Handle());
        EXPECT_EQ(Fake.LiveObjects(), 1);
    }
    EXPECT_THAT(Fake.CallsTo("zbar_image_scanner_destroy")[0].Args, ElementsAre(handle));
    EXPECT_EQ(Fake.LiveObjects(), 0);

    Fake.Reset();
    Fake.SetResult("zbar_image_scanner_create", 0);
    EXPECT_VEL_ERROR(TVelImageScanner(), "Can't create ZBar ImageScanner");
    EXPECT_THAT(Fake.CallNames(), ElementsAre("zbar_image_scanner_create"));
}
