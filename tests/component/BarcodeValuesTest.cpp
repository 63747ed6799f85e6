// TVel's results as values, with the real libzbar: what each value holds, and that values
// stay as they were through later scans, the component's destruction and ZBar's unloading.
#include "ComponentFixtures.h"
#include "TestPictures.h"
#include "vel/Barcode.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <memory>
#include <vector>

namespace {

using Vel::TBarcode;

class BarcodeValues : public LoaderResetTest {
protected:
    BarcodeValues() { Component->SetActive(true); }

    // The values of a scan of the barcode drawn at (60, 40) on a white 400 x 300 picture.
    std::vector<TBarcode> ScanDrawn(int symbology, const char* data) {
        Drawn =
            TestPictures::Place(Support::RenderBarcode(symbology, data, 2, 0), 400, 300, 60, 40);
        Component->Picture()->Assign(TestPictures::ToBitmap(Drawn).get());
        Component->Scan();
        return Component->Barcodes();
    }

    std::unique_ptr<Vel::TVel> Component = std::make_unique<Vel::TVel>();
    Support::TGrayImage Drawn;
};

TEST_F(BarcodeValues, HoldWhatTheSymbolsSayWithTheOutlineInPictureCoordinates) {
    Component->SetScanLeft(30);
    Component->SetScanTop(20);
    const std::vector<TBarcode> values = ScanDrawn(BARCODE_EANX, "400638133393");
    ASSERT_EQ(values.size(), 1u);
    const TBarcode& value = values[0];
    const Vel::TVelSymbol& symbol = *Component->Barcode(0);
    EXPECT_EQ(value.Symbology, Vel::TVelSymbology::syEan13);
    EXPECT_EQ(value.SymbologyName, "EAN-13");
    EXPECT_EQ(value.SymbologyAddon, Vel::TVelSymbologyAddon::saNone);
    EXPECT_EQ(value.SymbologyAddonName, "");
    EXPECT_EQ(value.Data, "4006381333931");
    EXPECT_EQ(value.Text(), "4006381333931");
    EXPECT_EQ(value.Quality, symbol.Quality());
    EXPECT_EQ(value.Orientation, Vel::TVelOrientation::orUp);
    EXPECT_EQ(value.OrientationName, "UP");
    EXPECT_TRUE(value.Modifiers.Empty());
    EXPECT_EQ(value.Configs, std::vector{Vel::TVelConfig::coEmitCheck}); // ZBar's EAN default
    ASSERT_EQ(value.Outline.size(), static_cast<std::size_t>(symbol.LocationCount()));
    for (std::size_t p = 0; p < value.Outline.size(); ++p)
        EXPECT_EQ(value.Outline[p], (Vel::TPoint{symbol.LocationX(static_cast<int>(p)),
                                                 symbol.LocationY(static_cast<int>(p))}));
    const Vel::TRect box = value.BoundingBox();
    const TestPictures::TBox dark = TestPictures::DarkBox(Drawn, 2);
    EXPECT_TRUE(dark.Contains(box.Left, box.Top) &&
                dark.Contains(box.Left + box.Width - 1, box.Top + box.Height - 1))
        << box.Left << ", " << box.Top << ", " << box.Width << " x " << box.Height;
}

TEST_F(BarcodeValues, OutliveTheNextScanTheComponentAndTheLibrary) {
    const std::vector<TBarcode> first = ScanDrawn(BARCODE_EANX, "400638133393");
    const std::vector<TBarcode> firstCopy = first;
    ASSERT_EQ(first.size(), 1u);
    const std::vector<TBarcode> second = ScanDrawn(BARCODE_CODE128, "second scan");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].Data, "second scan");
    EXPECT_EQ(second[0].SymbologyName, "CODE-128");
    EXPECT_EQ(first, firstCopy);

    Component.reset();
    Vel::UnloadLibrary();
    EXPECT_EQ(first, firstCopy);
    EXPECT_EQ(first[0].Data, "4006381333931");
    EXPECT_EQ(first[0].SymbologyName, "EAN-13");
    EXPECT_EQ(second[0].Text(), "second scan");
    EXPECT_FALSE(second[0].Outline.empty());
}

TEST_F(BarcodeValues, NoneBeforeAScanAndNoneAfterADiscard) {
    EXPECT_TRUE(Component->Barcodes().empty());
    ASSERT_EQ(ScanDrawn(BARCODE_QRCODE, "Vel values").size(), 1u);
    Component->SetScanLeft(1);
    EXPECT_TRUE(Component->Barcodes().empty());
}

} // namespace
