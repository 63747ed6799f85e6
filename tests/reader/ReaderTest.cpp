// The reader with the real libzbar on pictures rendered by libzint: fast effort finds what
// TVel's Scan finds; above it QR text is whole, add-ons are joined, and retry passes read
// what ZBar's own pass misses.
#include "vel/Reader.h"
#include "ComponentFixtures.h"
#include "ParamLabel.h"
#include "TestPictures.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Vel::TVelEffort;

class Reader : public LoaderResetTest {
protected:
    void SetUp() override { Vel::LoadLibrary(); }

    static std::vector<Vel::TBarcode> Read(const Support::TGrayImage& image, TVelEffort effort) {
        Vel::TReader reader(Vel::TReadOptions().SetEffort(effort));
        return reader.Read(Vel::TGrayView(image.Pixels.data(), image.Width, image.Height));
    }
};

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

Support::TGrayImage Inverted(Support::TGrayImage image) {
    for (std::uint8_t& pixel : image.Pixels)
        pixel = static_cast<std::uint8_t>(255 - pixel);
    return image;
}

TEST_F(Reader, FastFindsExactlyWhatTheComponentScanFinds) {
    const auto image = Support::RenderBarcode(BARCODE_CODE128, "Vel reader", 2, 12);
    Vel::TVel component(nullptr);
    component.SetActive(true);
    const auto bitmap = TestPictures::ToBitmap(image);
    component.Picture()->Assign(bitmap.get());
    component.Scan();

    const auto found = Read(image, TVelEffort::efFast);
    ASSERT_EQ(component.BarcodeCount(), 1);
    ASSERT_EQ(found.size(), 1u);
    const Vel::TVelSymbol& symbol = *component.Barcode(0);
    EXPECT_EQ(found[0].Symbology, symbol.Symbology());
    EXPECT_EQ(found[0].Data, Text(symbol.Data()));
    EXPECT_EQ(found[0].Quality, symbol.Quality());
    ASSERT_EQ(static_cast<int>(found[0].Outline.size()), symbol.LocationCount());
    for (int i = 0; i < symbol.LocationCount(); ++i) {
        EXPECT_EQ(found[0].Outline[static_cast<std::size_t>(i)].X, symbol.LocationX(i));
        EXPECT_EQ(found[0].Outline[static_cast<std::size_t>(i)].Y, symbol.LocationY(i));
    }
    EXPECT_EQ(found[0].Pass, "default");
}

struct TQrCase {
    std::string Label;
    std::string Bytes; // what the QR code holds, byte mode
    std::string Text;  // the UTF-8 text the reader gives above fast effort
};

class ReaderQrText : public Reader, public testing::WithParamInterface<TQrCase> {};

TEST_P(ReaderQrText, NormalEffortGivesUtf8Text) {
    const auto image = Support::RenderBarcode(BARCODE_QRCODE, GetParam().Bytes, 4, 16);
    const auto found = Read(image, TVelEffort::efNormal);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Symbology, Vel::TVelSymbology::syQrCode);
    EXPECT_EQ(found[0].Data, GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderQrText,
    testing::Values(
        TQrCase{"ShiftJisKana", "\xc3\xde\xbb\xde\xb2\xdd QR",
                "\xef\xbe\x83\xef\xbe\x9e\xef\xbd\xbb\xef\xbe\x9e\xef\xbd\xb2\xef\xbe\x9d QR"},
        TQrCase{"Utf8Chinese", "MECARD:N:\xe6\xb8\xac\xe8\xa9\xa6;;",
                "MECARD:N:\xe6\xb8\xac\xe8\xa9\xa6;;"},
        TQrCase{"Latin1", "Gr\xfc\xdf Gott", "Gr\xc3\xbc\xc3\x9f Gott"},
        TQrCase{"BinaryBytesAsLatin1", "\x01\x00\xff\x80"s, "\x01\x00\xc3\xbf\xc2\x80"s}),
    ParamLabel());

TEST_F(Reader, AddonJoinsItsMainCodeAboveFastEffort) {
    const auto image = Support::RenderBarcode(BARCODE_EANX, "9780735200449+51299", 2, 12);
    const auto found = Read(image, TVelEffort::efNormal);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Symbology, Vel::TVelSymbology::syEan13);
    EXPECT_EQ(found[0].SymbologyAddon, Vel::TVelSymbologyAddon::sa5Digit);
    EXPECT_EQ(found[0].Data, "978073520044951299");
    EXPECT_EQ(found[0].AddonData, "51299");
    EXPECT_EQ(found[0].SymbologyAddonName, "+5");

    const auto fast = Read(image, TVelEffort::efFast);
    ASSERT_EQ(fast.size(), 1u);
    EXPECT_EQ(fast[0].Data, "9780735200449");
}

struct TTwoDigitAddonCase {
    std::string Label;
    int Symbology = 0; // zint's
    std::string Input;
    std::string Data; // ZBar reports a UPC-E as its EAN-13 form
};

class ReaderTwoDigitAddon : public Reader,
                            public testing::WithParamInterface<TTwoDigitAddonCase> {};

// A UPC-E followed by a 2-digit add-on is printed on drink cans (the corpus's upce-2/10 and
// upce-2/12, where the add-on's bars carry no digits): the add-on is part of the reading.
TEST_P(ReaderTwoDigitAddon, JoinsItsMainCodeAboveFastEffort) {
    const auto image = Support::RenderBarcode(GetParam().Symbology, GetParam().Input, 2, 12);
    const auto found = Read(image, TVelEffort::efNormal);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Symbology, Vel::TVelSymbology::syEan13);
    EXPECT_EQ(found[0].SymbologyAddon, Vel::TVelSymbologyAddon::sa2Digit);
    EXPECT_EQ(found[0].Data, GetParam().Data);
    EXPECT_EQ(found[0].AddonData, GetParam().Data.substr(GetParam().Data.size() - 2));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderTwoDigitAddon,
                         testing::Values(TTwoDigitAddonCase{"Ean13", BARCODE_EANX,
                                                            "9780735200449+12", "978073520044912"},
                                         TTwoDigitAddonCase{"UpcE", BARCODE_UPCE, "0496340+01",
                                                            "004900000634601"}),
                         ParamLabel());

TEST_F(Reader, LoneAddonIsNoResult) {
    const auto image = Support::RenderBarcode(BARCODE_EANX, "51299", 2, 12);
    for (const TVelEffort effort :
         {TVelEffort::efFast, TVelEffort::efNormal, TVelEffort::efThorough})
        EXPECT_TRUE(Read(image, effort).empty());
}

TEST_F(Reader, InvertedPassReadsLightOnDarkQrCodeThatFastMisses) {
    const auto image = Inverted(Support::RenderBarcode(BARCODE_QRCODE, "light on dark", 4, 16));
    EXPECT_TRUE(Read(image, TVelEffort::efFast).empty());
    const auto found = Read(image, TVelEffort::efThorough);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Data, "light on dark");
    EXPECT_EQ(found[0].Pass, "inverted");
}

TEST_F(Reader, PictureRectangleOutlineInPictureCoordinates) {
    const auto image = Support::RenderBarcode(BARCODE_QRCODE, "corner", 4, 16);
    Host::TPicture picture;
    const auto bitmap = TestPictures::ToBitmap(image);
    picture.Assign(bitmap.get());
    Vel::TReader reader(Vel::TReadOptions().SetEffort(TVelEffort::efNormal));
    const auto whole = reader.Read(picture);
    const auto part = reader.Read(picture, {8, 4, image.Width - 8, image.Height - 4});
    ASSERT_EQ(whole.size(), 1u);
    ASSERT_EQ(part.size(), 1u);
    ASSERT_EQ(whole[0].Outline.size(), part[0].Outline.size());
    for (std::size_t i = 0; i < whole[0].Outline.size(); ++i) {
        EXPECT_EQ(whole[0].Outline[i].X, part[0].Outline[i].X);
        EXPECT_EQ(whole[0].Outline[i].Y, part[0].Outline[i].Y);
    }
    EXPECT_TRUE(reader.Read(picture, {image.Width, 0, 0, 0}).empty());
}

// A picture given up to the reader is emptied once its gray bytes are made; the retry passes
// that read those bytes afterwards find what they find in a picture the caller keeps.
TEST_F(Reader, PictureGivenUpIsEmptiedAndReadAlike) {
    const auto image = Inverted(Support::RenderBarcode(BARCODE_QRCODE, "given up", 4, 16));
    const auto bitmap = TestPictures::ToBitmap(image);
    Host::TPicture kept;
    kept.Assign(bitmap.get());
    Host::TPicture givenUp;
    givenUp.Assign(bitmap.get());
    const Vel::TRect rect{3, 2, image.Width - 3, 0};
    Vel::TReader reader(Vel::TReadOptions().SetEffort(TVelEffort::efThorough));

    const auto expected = reader.Read(kept, rect);
    const auto found = reader.Read(std::move(givenUp), rect);

    EXPECT_NE(kept.Graphic(), nullptr);
    EXPECT_EQ(givenUp.Graphic(), nullptr);
    ASSERT_EQ(expected.size(), 1u);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Data, "given up");
    EXPECT_EQ(found[0].Pass, expected[0].Pass);
    EXPECT_EQ(found[0].Page, expected[0].Page);
    ASSERT_EQ(found[0].Outline.size(), expected[0].Outline.size());
    for (std::size_t i = 0; i < found[0].Outline.size(); ++i) {
        EXPECT_EQ(found[0].Outline[i].X, expected[0].Outline[i].X);
        EXPECT_EQ(found[0].Outline[i].Y, expected[0].Outline[i].Y);
    }
}

TEST_F(Reader, RefusedConfigurationTextIsNamed) {
    EXPECT_VEL_ERROR(
        Vel::TReader(Vel::TReadOptions().SetEffort(TVelEffort::efFast).AddSetting("frobnicate=1")),
        "Configuration error: 'frobnicate=1'");
}

// An EAN-8 code left of a QR code, on one picture.
Support::TGrayImage TwoCodes() {
    const auto ean = Support::RenderBarcode(BARCODE_EANX, "1234567", 2, 12);
    const auto qr = Support::RenderBarcode(BARCODE_QRCODE, "chosen", 4, 12);
    Support::TGrayImage both =
        TestPictures::Place(ean, ean.Width + qr.Width, std::max(ean.Height, qr.Height), 0, 0);
    for (int y = 0; y < qr.Height; ++y)
        std::copy_n(&qr.Pixels[static_cast<std::size_t>(y * qr.Width)], qr.Width,
                    &both.Pixels[static_cast<std::size_t>(y * both.Width + ean.Width)]);
    return both;
}

TEST_F(Reader, ChosenSymbologiesAloneAreRead) {
    const auto picture = TwoCodes();
    const Vel::TGrayView view(picture.Pixels.data(), picture.Width, picture.Height);
    using Sy = Vel::TVelSymbology;
    struct TCase {
        std::vector<Sy> Chosen;
        std::vector<Sy> Found;
    };
    const std::vector<TCase> cases = {
        {{}, {Sy::syEan8, Sy::syQrCode}},
        {{Sy::syQrCode}, {Sy::syQrCode}},
        {{Sy::syEan8, Sy::syCode39}, {Sy::syEan8}},
        {{Sy::syPdf417, Sy::syDataMatrix}, {}}, // ZBar has no PDF417 decoder: nothing fails
    };
    for (const TVelEffort effort : {TVelEffort::efFast, TVelEffort::efNormal})
        for (const TCase& c : cases) {
            Vel::TReader reader(Vel::TReadOptions().SetEffort(effort).SetSymbologies(c.Chosen));
            std::vector<Sy> found;
            for (const Vel::TBarcode& barcode : reader.Read(view))
                found.push_back(barcode.Symbology);
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, c.Found) << static_cast<int>(effort) << " " << c.Chosen.size();
        }
}

// A reader loads ZBar itself, as ReadBarcodes does: one made first on a thread of its own
// works without LoadLibrary.
TEST_F(Reader, LoadsZBarItself) {
    Vel::UnloadLibrary();
    const auto image = Support::RenderBarcode(BARCODE_CODE128, "loads itself", 2, 12);
    Vel::TReader reader;
    EXPECT_TRUE(Vel::LoadedLibrary());
    EXPECT_EQ(reader.Read(Vel::TGrayView(image.Pixels.data(), image.Width, image.Height)).size(),
              1u);
}

} // namespace
