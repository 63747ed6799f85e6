#include "vel/host/Bitmap.h"
#include "TestPicture.h"
#include "vel/host/Errors.h"
#include "vel/host/JpegImage.h"
#include "vel/host/PixelLimit.h"
#include "vel/host/PngImage.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace Host;

namespace {

TEST(Bitmap, StartsEmptyIn32Bits) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(static_cast<int>(TPixelFormat::pf32bit), 7);
}

TEST(Bitmap, ScanlineOutOfRangeIsAnError) {
    TBitmap bitmap;
    FillTest(bitmap);
    EXPECT_NO_THROW(bitmap.GetScanline(1));
    for (const int row : {-1, 2})
        try {
            bitmap.GetScanline(row);
            FAIL() << "no exception for row " << row;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find("Scan line index " + std::to_string(row)),
                      std::string::npos);
        }
}

TEST(Bitmap, SetSizeKeepsTheSharedAreaAndChecksTheLimit) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetSize(2, 3);
    EXPECT_EQ(Pixels32(bitmap),
              (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF, 0xFF000000, 0, 0}));
    EXPECT_THROW(bitmap.SetSize(-1, 2), EInvalidGraphic);
    const uint64_t limit = MaxPicturePixels();
    SetMaxPicturePixels(100);
    EXPECT_THROW(bitmap.SetSize(11, 10), EInvalidGraphic);
    EXPECT_NO_THROW(bitmap.SetSize(10, 10));
    SetMaxPicturePixels(limit);
    EXPECT_EQ(limit, DefaultMaxPicturePixels);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, PaletteFormatKeepsExactColoursThatFit) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(TPixelFormat::pf4bit);
    EXPECT_EQ(bitmap.Palette().size(), 16u);
    EXPECT_EQ(Pixels32(bitmap), TestPixels);
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(Pixels32(bitmap), TestPixels);
}

TEST(Bitmap, PaletteFormatMapsTooManyColoursToTheNearest) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(Pixels32(bitmap), (std::vector<uint32_t>{0xFF000000, 0xFF000000, 0xFF000000,
                                                       0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
}

TEST(Bitmap, DeviceMeansThirtyTwoBitsAndCustomIsRefused) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetPixelFormat(TPixelFormat::pfDevice);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_THROW(bitmap.SetPixelFormat(TPixelFormat::pfCustom), EConvertError);
    EXPECT_EQ(Pixels32(bitmap), TestPixels);
}

TEST(Bitmap, SetPaletteNeedsRoom) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(TPixelFormat::pf1bit);
    bitmap.SetPalette(std::vector<TColor32>{0x00FF00, 0x0000FF});
    EXPECT_EQ(Pixels32(bitmap)[0], 0xFF00FF00);
    EXPECT_THROW(bitmap.SetPalette(std::vector<TColor32>(3)), EConvertError);
    TBitmap direct;
    EXPECT_THROW(direct.SetPalette(std::vector<TColor32>{0}), EConvertError);
}

TEST(Bitmap, AssignCopiesIndependently) {
    TBitmap source;
    FillTest(source);
    TBitmap copy;
    copy.Assign(&source);
    static_cast<uint32_t*>(source.GetScanline(0))[0] = 0;
    EXPECT_EQ(Pixels32(copy), TestPixels);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

// The scan path: a bitmap assigned from a picture and set to pf32bit holds the picture's own
// pixels while it is only read, so a large picture is held once, not twice.
TEST(Bitmap, AssignFromACompressedKindSharesThePixelsUntilEitherSideWrites) {
    TBitmap source;
    FillTest(source);
    TPngImage png;
    png.Assign(&source);
    TBitmap bitmap;
    bitmap.Assign(&png);
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    const TBitmap& view = bitmap;
    EXPECT_EQ(static_cast<const uint32_t*>(view.GetScanline(1))[2], TestPixels[5]);
    EXPECT_TRUE(bitmap.Pixels().SharesWith(png.Pixels()));

    static_cast<uint32_t*>(bitmap.GetScanline(0))[0] = 0xFF123456;
    EXPECT_FALSE(bitmap.Pixels().SharesWith(png.Pixels()));
    EXPECT_EQ(Pixels32(png), TestPixels);
    png.GetScanline(1)[0] = 0;
    EXPECT_EQ(static_cast<const uint32_t*>(view.GetScanline(1))[0], TestPixels[3]);
}

TEST(Bitmap, ACompressedKindAssignedFromAThirtyTwoBitBitmapSharesItsPixels) {
    TBitmap source;
    FillTest(source);
    TJpegImage jpeg;
    jpeg.Assign(&source);
    EXPECT_TRUE(jpeg.Pixels().SharesWith(source.Pixels()));
    jpeg.GetScanline(0)[1] = 0;
    EXPECT_EQ(Pixels32(source), TestPixels);
    const std::unique_ptr<TGraphic> clone = source.Clone();
    EXPECT_TRUE(static_cast<TBitmap&>(*clone).Pixels().SharesWith(source.Pixels()));
    source.SetPixelFormat(TPixelFormat::pf24bit);
    jpeg.Assign(&source); // converted to the 32-bit layout
    EXPECT_FALSE(jpeg.Pixels().SharesWith(source.Pixels()));
    EXPECT_EQ(Pixels32(jpeg), TestPixels);
}

class BmpRoundTrip : public testing::TestWithParam<TPixelFormat> {};

TEST_P(BmpRoundTrip, SavesAndReadsBackTheSameFormatAndPixels) {
    TBitmap bitmap;
    FillTest(bitmap);
    bitmap.SetPixelFormat(GetParam());
    std::stringstream file;
    bitmap.SaveToStream(file);
    TBitmap loaded;
    loaded.LoadFromStream(file);
    EXPECT_EQ(loaded.PixelFormat(), GetParam());
    EXPECT_EQ(Pixels32(loaded), Pixels32(bitmap));
}

INSTANTIATE_TEST_SUITE_P(Host, BmpRoundTrip,
                         testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                         TPixelFormat::pf8bit, TPixelFormat::pf15bit,
                                         TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                         TPixelFormat::pf32bit));

TEST(Bitmap, EmptyBitmapCannotBeSaved) {
    TBitmap bitmap;
    std::stringstream file;
    EXPECT_THROW(bitmap.SaveToStream(file), EInvalidGraphic);
}

} // namespace

namespace {

// A graphic kind the bitmap knows nothing of, which cannot convert itself either.
class Foreign : public TGraphic {
public:
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    void SetSize(int, int) override {}
    void LoadFromStream(std::istream&) override {}
    void SaveToStream(std::ostream&) const override {}
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<Foreign>(); }
};

TEST(Bitmap, AssignFromAnUnknownKindNamesBothClasses) {
    Foreign foreign;
    TBitmap bitmap;
    try {
        bitmap.Assign(&foreign);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"Cannot assign a Foreign to a TBitmap");
    }
}

} // namespace
