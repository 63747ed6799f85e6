// The scan rectangle and the picture to gray conversion, end to end with the real libzbar:
// which pixels become the image's gray bytes, and where found outlines land.
#include "ComponentFixtures.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "vel/Image.h"
#include "vel/TVel.h"
#include "vel/VelSymbol.h"

#include <zint.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <vector>

namespace {

class ScanRectangle : public LoaderResetTest {
protected:
    void SetUp() override { Component.SetActive(true); }

    // A Code 128 barcode drawn at (140, 90) on a white 600 x 400 picture.
    void UseBarcodePicture() {
        Drawn = TestPictures::Place(Support::RenderBarcode(BARCODE_CODE128, "Vel rectangle", 2, 0),
                                    600, 400, 140, 90);
        Component.Picture()->Assign(TestPictures::ToBitmap(Drawn).get());
    }

    void SetRectangle(int left, int top, int width, int height) {
        Component.SetScanLeft(left);
        Component.SetScanTop(top);
        Component.SetScanWidth(width);
        Component.SetScanHeight(height);
    }

    Vel::TVel Component{nullptr};
    Support::TGrayImage Drawn;
};

TEST_F(ScanRectangle, OutlineLandsOnTheDrawnBarcodeInPictureCoordinates) {
    UseBarcodePicture();
    SetRectangle(100, 50, 0, 0);
    Component.Scan();
    ASSERT_EQ(Component.BarcodeCount(), 1);
    EXPECT_EQ(Component.Image()->Width(), 500);
    EXPECT_EQ(Component.Image()->Height(), 350);
    const Vel::TVelSymbol& barcode = *Component.Barcode(0);
    EXPECT_EQ(barcode.DataAnsi(), "Vel rectangle");
    const TestPictures::TBox box = TestPictures::DarkBox(Drawn, 2);
    ASSERT_GT(barcode.LocationCount(), 0);
    for (int p = 0; p < barcode.LocationCount(); ++p)
        EXPECT_TRUE(box.Contains(barcode.LocationX(p), barcode.LocationY(p)))
            << "(" << barcode.LocationX(p) << ", " << barcode.LocationY(p) << ")";
}

TEST_F(ScanRectangle, RectangleBeyondThePictureGivesNoResultsAndNoError) {
    UseBarcodePicture();
    int events = 0;
    Component.SetOnBarcodeDetected(Host::TNotifyEvent([&](Host::TObject*) { ++events; }));
    for (const auto& [left, top] : {std::pair{600, 0}, std::pair{0, 400}, std::pair{INT_MAX, 5}}) {
        SetRectangle(left, top, 0, 0);
        Component.Scan();
        EXPECT_EQ(Component.BarcodeCount(), 0);
        EXPECT_EQ(Component.Image(), nullptr);
    }
    EXPECT_EQ(events, 0);
}

TEST_F(ScanRectangle, RectangleReachingPastTheEdgesIsClipped) {
    UseBarcodePicture();
    SetRectangle(100, 50, INT_MAX, 10000);
    Component.Scan();
    EXPECT_EQ(Component.BarcodeCount(), 1);
    EXPECT_EQ(Component.Image()->Width(), 500);
    EXPECT_EQ(Component.Image()->Height(), 350);
}

TEST_F(ScanRectangle, ColoursBecomeTheirWeightedGrayIgnoringTheTopByte) {
    const std::vector<std::uint32_t> colours = {0xFFFF0000, 0x0000FF00, 0x800000FF, 0x12808080,
                                                0xFF808080};
    Component.Picture()->Assign(
        TestPictures::MakeBitmap(5, 1, [&](int x, int) { return colours[std::size_t(x)]; }).get());
    Component.Scan();
    const auto* bytes = static_cast<const std::uint8_t*>(Component.Image()->Data());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 5),
              (std::vector<std::uint8_t>{76, 150, 29, 128, 128}));
}

struct TCropCase {
    const char* Name;
    int Left, Top, Width, Height;
    int ExpectedWidth, ExpectedHeight;
};

void PrintTo(const TCropCase& c, std::ostream* os) {
    *os << c.Name;
}

// A 100 x 80 picture, read from a BMP file, whose pixel (x, y) is the gray GrayAt(x, y).
class PictureCrop : public LoaderResetTest, public testing::WithParamInterface<TCropCase> {
protected:
    static std::uint8_t GrayAt(int x, int y) { return static_cast<std::uint8_t>(x * 7 + y * 13); }
};

TEST_P(PictureCrop, ImageHoldsTheGrayBytesOfTheClippedRectangleRowByRow) {
    const TCropCase& c = GetParam();
    Support::TTempFolder folder;
    const auto file = folder.Path("crop.bmp");
    TestPictures::Save(*TestPictures::MakeBitmap(100, 80,
                                                 [](int x, int y) {
                                                     const std::uint32_t g = GrayAt(x, y);
                                                     return g << 16 | g << 8 | g;
                                                 }),
                       TestPictures::TFileKind::Bmp, file);
    Vel::TVel component(nullptr);
    component.SetActive(true);
    component.Picture()->LoadFromFile(TestPictures::HostPath(file));
    component.SetScanLeft(c.Left);
    component.SetScanTop(c.Top);
    component.SetScanWidth(c.Width);
    component.SetScanHeight(c.Height);
    component.Scan();

    const Vel::TVelImage* image = component.Image();
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->Width(), c.ExpectedWidth);
    ASSERT_EQ(image->Height(), c.ExpectedHeight);
    ASSERT_EQ(image->DataLength(), c.ExpectedWidth * c.ExpectedHeight);
    const auto* bytes = static_cast<const std::uint8_t*>(image->Data());
    for (int k = 0; k < image->DataLength(); ++k)
        ASSERT_EQ(bytes[k], GrayAt(c.Left + k % c.ExpectedWidth, c.Top + k / c.ExpectedWidth))
            << "byte " << k;
}

INSTANTIATE_TEST_SUITE_P(Cases, PictureCrop,
                         testing::Values(TCropCase{"WholePicture", 0, 0, 0, 0, 100, 80},
                                         TCropCase{"Inside", 10, 20, 30, 40, 30, 40},
                                         TCropCase{"PastRightEdge", 90, 0, 50, 0, 10, 80},
                                         TCropCase{"LargestWidth", 5, 0, INT_MAX, 0, 95, 80},
                                         TCropCase{"LastPixel", 99, 79, 0, 0, 1, 1}),
                         [](const testing::TestParamInfo<TCropCase>& info) {
                             return info.param.Name;
                         });

} // namespace
