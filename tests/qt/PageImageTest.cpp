// Pages of picture files as QImages: every kind the host reads, PDF pages at their
// resolution, and the host's errors as they are.
#include "vel/qt/PageImage.h"
#include "Codecs.h"
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "vel/host/Errors.h"
#include "vel/host/Picture.h"
#include "vel/qt/ImageReading.h"

#include <QDir>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <zint.h>

#include <fstream>
#include <string>

namespace {

std::string Sample(const std::string& name) {
    return std::string(VEL_SAMPLES_DIR) + "/" + name;
}

// Every sample, Qt's readers or not, loads through the host as an opaque image of its size.
TEST(PageImageTest, EverySampleKindLoads) {
    for (const char* name : {"ean13.png", "ean13.pgm", "upca.bmp", "code128.jpg", "code39.gif",
                             "databar.tif", "qrcode.webp", "multi.png"}) {
        Host::TPicture picture;
        picture.LoadFromFile(std::filesystem::path(Sample(name)));
        const VelQt::TPageImage page = VelQt::LoadPageImage(QString::fromStdString(Sample(name)));
        EXPECT_EQ(page.Image.size(), QSize(picture.Width(), picture.Height())) << name;
        EXPECT_EQ(page.Image.format(), QImage::Format_RGB32) << name;
        EXPECT_EQ(page.PageCount, 1) << name;
    }
}

// The image holds the picture's colours: read back through the conversion, it gives the
// picture's barcodes.
TEST(PageImageTest, ImageReadsAsItsPicture) {
    const QString file = QString::fromStdString(Sample("ean8-label.jpg"));
    EXPECT_EQ(VelQt::ReadBarcodes(VelQt::LoadPageImage(file).Image)[0].Text, "96385074");
}

TEST(PageImageTest, PdfPageIsDrawnAtTheChosenResolution) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    const QTemporaryDir dir;
    const Support::TGrayImage code = Support::RenderBarcode(BARCODE_CODE128, "page two", 2, 20);
    const Support::TGrayImage blank{100, 50, std::vector<std::uint8_t>(5000, 255)};
    const QString file = dir.filePath("pages.pdf");
    std::ofstream(file.toStdString(), std::ios::binary)
        << Support::MakePdfPages({blank, code, blank}, 150);
    const VelQt::TPageImage page = VelQt::LoadPageImage(file, {.Index = 1, .Resolution = 300});
    EXPECT_EQ(page.PageCount, 3);
    // Twice the size in either direction, give or take poppler's rounding of the page size.
    EXPECT_NEAR(page.Image.width(), code.Width * 2, 1);
    EXPECT_NEAR(page.Image.height(), code.Height * 2, 1);
    const QList<VelQt::TQtBarcode> found = VelQt::ReadBarcodes(page.Image);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].Text, "page two");
    EXPECT_THROW(VelQt::LoadPageImage(file, {.Index = 3}), Host::EInvalidGraphic);
}

TEST(PageImageTest, UnreadableFileRaisesTheHostError) {
    const QTemporaryDir dir;
    const QString file = dir.filePath("not a picture.png");
    std::ofstream(file.toStdString()) << "no picture";
    EXPECT_THAT([&] { VelQt::LoadPageImage(file); }, testing::ThrowsMessage<Host::EInvalidGraphic>(
                                                         testing::HasSubstr("not a picture.png")));
    EXPECT_THROW(VelQt::LoadPageImage(dir.filePath("missing.png")), Host::EFOpenError);
}

TEST(PageImageTest, FileNameKeepsItsBytes) {
    EXPECT_EQ(VelQt::FilePath(QString::fromUtf8("/tmp/Grüße.png")).native(),
              std::string("/tmp/Gr\xc3\xbc\xc3\x9f"
                          "e.png"));
}

} // namespace
