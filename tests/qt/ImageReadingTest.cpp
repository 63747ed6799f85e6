// A QImage read by the reader gives the barcodes its picture file gives: in place for gray
// images, rows at their stride; through the component's gray conversion for every other
// format; scan rectangles cut and outlines placed as for a file.
#include "vel/qt/ImageReading.h"
#include "ParamLabel.h"
#include "RenderBarcode.h"
#include "vel/Loader.h"
#include "vel/ReadBarcodes.h"
#include "vel/VelError.h"

#include <QImage>
#include <QImageReader>
#include <gmock/gmock.h>
#include <zint.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Vel::TBarcode;
using Vel::TReadOptions;

std::string Sample(const std::string& name) {
    return std::string(VEL_SAMPLES_DIR) + "/" + name;
}

// The image Qt loads from a sample, or a null image where Qt has no reader for its kind.
QImage QtLoad(const std::string& file) {
    return QImage(QString::fromStdString(file));
}

std::vector<TBarcode> ReadQImage(const QImage& image, const TReadOptions& options = {}) {
    Vel::LoadLibrary();
    Vel::TReader reader(options);
    return VelQt::ReadImage(reader, image, options.ScanRect());
}

struct TSampleCase {
    std::string Label;
    std::string File;
    int Count; // the barcodes the file holds
};

void PrintTo(const TSampleCase& sample, std::ostream* out) {
    *out << sample.File;
}

class SampleTest : public testing::TestWithParam<TSampleCase> {};

TEST_P(SampleTest, QImageReadsTheBarcodesOfItsFile) {
    const std::string file = Sample(GetParam().File);
    const QImage image = QtLoad(file);
    if (image.isNull())
        GTEST_SKIP() << "Qt reads no " << GetParam().File;
    for (const Vel::TVelEffort effort :
         {Vel::TVelEffort::efFast, Vel::TVelEffort::efNormal, Vel::TVelEffort::efThorough}) {
        const TReadOptions options = TReadOptions().SetEffort(effort);
        const std::vector<TBarcode> expected = Vel::ReadBarcodes(file, options);
        EXPECT_EQ(ReadQImage(image, options), expected) << "format " << image.format();
        EXPECT_EQ(static_cast<int>(expected.size()), GetParam().Count);
    }
}

// Other pixel formats of the same picture go through the conversion with the same result.
TEST_P(SampleTest, EveryColourFormatReadsTheSame) {
    const std::string file = Sample(GetParam().File);
    const QImage image = QtLoad(file);
    if (image.isNull())
        GTEST_SKIP() << "Qt reads no " << GetParam().File;
    const std::vector<TBarcode> expected = Vel::ReadBarcodes(file);
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
          QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_RGBX8888,
          QImage::Format_RGBA64})
        EXPECT_EQ(ReadQImage(image.convertToFormat(format)), expected) << "format " << format;
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleTest,
                         testing::Values(TSampleCase{"Png", "ean13.png", 1},
                                         TSampleCase{"TwoBarcodesPng", "multi.png", 2},
                                         TSampleCase{"Pgm", "ean13.pgm", 1},
                                         TSampleCase{"Bmp", "upca.bmp", 1},
                                         TSampleCase{"GrayJpeg", "code128.jpg", 1},
                                         TSampleCase{"ColourJpeg", "ean8-label.jpg", 1},
                                         TSampleCase{"Gif", "code39.gif", 1},
                                         TSampleCase{"Tiff", "databar.tif", 1},
                                         TSampleCase{"WebP", "qrcode.webp", 1}),
                         ParamLabel());

// A gray image whose rows carry padding: the view takes the image's stride, so the black
// padding never reaches the reader.
TEST(ImageReadingTest, GrayRowsAreReadAtTheirStride) {
    const Support::TGrayImage code = Support::RenderBarcode(BARCODE_CODE128, "stride 13", 2, 9);
    const int stride = code.Width + 13;
    std::vector<std::uint8_t> padded(static_cast<std::size_t>(stride) * code.Height, 0);
    for (int y = 0; y < code.Height; ++y)
        std::copy_n(code.Pixels.begin() + y * code.Width, code.Width, padded.begin() + y * stride);
    const QImage image(padded.data(), code.Width, code.Height, stride, QImage::Format_Grayscale8);

    std::vector<TBarcode> expected =
        Vel::ReadBarcodes(Vel::TGrayView(code.Pixels.data(), code.Width, code.Height));
    ASSERT_EQ(expected.size(), 1u);
    expected[0].Page = 1;
    EXPECT_EQ(ReadQImage(image), expected);
    EXPECT_EQ(ReadQImage(image.convertToFormat(QImage::Format_RGB32)), expected);
}

struct TRectCase {
    std::string Label;
    Vel::TRect Rect;
    std::vector<std::string> Texts;
};

void PrintTo(const TRectCase& rect, std::ostream* out) {
    *out << rect.Label;
}

class ScanRectTest : public testing::TestWithParam<TRectCase> {};

// multi.png holds an Interleaved 2 of 5 code on the left (x 40 to 436) and a QR code on the
// right (x 499 to 675).
TEST_P(ScanRectTest, RectangleIsCutAndOutlinesStayInImageCoordinates) {
    const std::string file = Sample("multi.png");
    const TReadOptions options = TReadOptions().SetScanRect(GetParam().Rect);
    const std::vector<TBarcode> expected = Vel::ReadBarcodes(file, options);
    std::vector<std::string> texts;
    for (const TBarcode& barcode : expected)
        texts.push_back(barcode.Data);
    EXPECT_THAT(texts, testing::UnorderedElementsAreArray(GetParam().Texts));
    const QImage image = QtLoad(file);
    EXPECT_EQ(ReadQImage(image.convertToFormat(QImage::Format_Grayscale8), options), expected);
    EXPECT_EQ(ReadQImage(image.convertToFormat(QImage::Format_RGB32), options), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Multi, ScanRectTest,
    testing::Values(
        TRectCase{"Whole",
                  {0, 0, 0, 0},
                  {"1234567895", "Grüße from Vel: https://example.org/vel?a=1&b=2"}},
        TRectCase{"RightPart", {470, 0, 0, 0}, {"Grüße from Vel: https://example.org/vel?a=1&b=2"}},
        TRectCase{"LeftPart", {0, 0, 470, 0}, {"1234567895"}},
        TRectCase{"PastTheEdge", {100000, 0, 0, 0}, {}},
        TRectCase{"HugeSize",
                  {0, 0, 2147483647, 2147483647},
                  {"1234567895", "Grüße from Vel: https://example.org/vel?a=1&b=2"}}),
    ParamLabel());

TEST(ImageReadingTest, NullImageHasNoBarcodes) {
    EXPECT_TRUE(ReadQImage(QImage()).empty());
}

TEST(ImageReadingTest, NegativeRectangleIsRefusedNamingIt) {
    Vel::LoadLibrary();
    Vel::TReader reader;
    const QImage image = QtLoad(Sample("ean13.png"));
    EXPECT_THAT(
        [&] {
            VelQt::ReadImage(reader, image, {3, -1, 0, 0});
        },
        testing::ThrowsMessage<Vel::EVelError>(
            testing::StrEq("The scan rectangle 3, -1, 0, 0 has a negative value")));
}

TEST(ImageReadingTest, OneCallGivesQtValues) {
    const QList<VelQt::TQtBarcode> found = VelQt::ReadBarcodes(QtLoad(Sample("ean13.png")));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].Symbology, "EAN-13");
    EXPECT_EQ(found[0].Text, "9780201379624");
}

} // namespace
