// Reading files of many pages with the real libzbar: every TIFF directory, GIF frame and PDF
// page, the pages the options choose, the Page each barcode names, and a JPEG cut short.
#include "Codecs.h"
#include "ComponentFixtures.h"
#include "PageFiles.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "vel/ReadBarcodes.h"
#include "vel/Reader.h"
#include "vel/host/Errors.h"
#include "vel/host/JpegImage.h"

#include <zint.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Support::TGrayImage;
using testing::ElementsAre;
using testing::HasSubstr;
using Vel::ReadBarcodes;
using Vel::TBarcode;
using Vel::TReadOptions;

constexpr int Width = 480;
constexpr int Height = 160;

TGrayImage Blank() {
    return {Width, Height, std::vector<std::uint8_t>(Width * Height, 255)};
}

TGrayImage Code128(const char* data) {
    return TestPictures::Place(Support::RenderBarcode(BARCODE_CODE128, data), Width, Height, 20,
                               20);
}

// Each barcode's page and data.
std::vector<std::pair<int, std::string>> PagesAndData(const std::vector<TBarcode>& barcodes) {
    std::vector<std::pair<int, std::string>> found;
    for (const TBarcode& barcode : barcodes)
        found.emplace_back(barcode.Page, barcode.Data);
    return found;
}

std::vector<TBarcode> ReadBytes(const std::string& file, const TReadOptions& options = {}) {
    return ReadBarcodes(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()),
                        options);
}

class ReadPages : public LoaderResetTest {
protected:
    Support::TTempFolder Folder;
};

// A barcode on a later page only, read from the file and from its bytes.
TEST_F(ReadPages, EveryPageOfTiffAndGifIsRead) {
    const std::vector<TGrayImage> pages = {Blank(), Blank(), Code128("page three")};
    const std::pair<const char*, std::string> files[] = {
        {"pages.tif", Support::MakeTiffPages(pages)},
        {"frames.gif", Support::MakeGifFrames(pages)},
    };
    for (const auto& [name, bytes] : files) {
        const std::filesystem::path file = Folder.Path(name);
        std::ofstream(file, std::ios::binary) << bytes;
        EXPECT_THAT(PagesAndData(ReadBarcodes(file)), ElementsAre(std::pair(3, "page three")))
            << name;
        EXPECT_THAT(PagesAndData(ReadBytes(bytes)), ElementsAre(std::pair(3, "page three")))
            << name;
    }
}

TEST_F(ReadPages, PdfPagesAreDrawnAndRead) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    const std::string pdf =
        Support::MakePdfPages({Code128("first page"), Code128("second page")}, 150);
    EXPECT_THAT(PagesAndData(ReadBytes(pdf)),
                ElementsAre(std::pair(1, "first page"), std::pair(2, "second page")));
    EXPECT_THAT(PagesAndData(ReadBytes(pdf, TReadOptions().SetPages({2}).SetResolution(100))),
                ElementsAre(std::pair(2, "second page")));
}

TEST_F(ReadPages, APagePastTheLastIsAnErrorNamingTheCount) {
    const std::string tiff = Support::MakeTiffPages({Blank(), Blank()});
    EXPECT_THAT(
        [&] {
            ReadBytes(tiff, TReadOptions().SetPages({1, 3}));
        },
        testing::ThrowsMessage<Host::EInvalidGraphic>(
            HasSubstr("There is no page 3: the TIFF picture has 2 pages")));
    EXPECT_VEL_ERROR(TReadOptions().SetPages({0}), "Page 0 does not exist: pages count from 1");
    EXPECT_VEL_ERROR(TReadOptions().SetResolution(0), "Resolution of 0 dots per inch is below 1");
}

TEST_F(ReadPages, PagesAreNamedOnlyForPictureFiles) {
    const TGrayImage code = Code128("one page");
    std::ostringstream png;
    TestPictures::ToBitmap(code)->SaveToStream(png);
    EXPECT_THAT(PagesAndData(ReadBytes(png.str())), ElementsAre(std::pair(1, "one page")));
    EXPECT_THAT(PagesAndData(ReadBarcodes(Vel::TGrayView(code.Pixels.data(), Width, Height))),
                ElementsAre(std::pair(0, "one page")));
}

// The reader reads a page the caller loaded and names it.
TEST_F(ReadPages, TheReaderNamesThePageThePictureHolds) {
    const std::string gif = Support::MakeGifFrames({Blank(), Code128("frame two")});
    ReadBytes(gif); // loads ZBar
    Vel::TReader reader;
    Host::TPicture picture;
    std::istringstream stream(gif);
    picture.LoadFromStream(stream, Host::TPageChoice{1});
    EXPECT_THAT(PagesAndData(reader.Read(picture)), ElementsAre(std::pair(2, "frame two")));
}

// A tall JPEG, a barcode at the top and a texture (which takes many bytes) below, cut in its
// lower part: the rows that arrived are read.
TEST_F(ReadPages, ATruncatedJpegStillGivesItsBarcode) {
    const auto code = Support::RenderBarcode(BARCODE_CODE128, "cut short");
    const std::string cut = TestPictures::CutJpeg(code, 400, 1200);

    std::istringstream stream(cut);
    Host::TJpegImage read;
    read.LoadFromStream(stream);
    ASSERT_TRUE(read.Incomplete().has_value());
    EXPECT_EQ(read.Incomplete()->RowsTotal, 1200);
    EXPECT_LT(read.Incomplete()->RowsRead, 1200);
    EXPECT_GT(read.Incomplete()->RowsRead, code.Height + 20);
    EXPECT_THAT(PagesAndData(ReadBytes(cut)), ElementsAre(std::pair(1, "cut short")));
}

// A caller that must know asks for whole pictures: the cut JPEG then raises, naming what
// was read, from a file and from bytes alike.
TEST_F(ReadPages, ATruncatedJpegRaisesWhenWholePicturesAreAskedFor) {
    const std::string cut =
        TestPictures::CutJpeg(Support::RenderBarcode(BARCODE_CODE128, "cut short"), 400, 1200);
    const Support::TTempFolder folder;
    const std::filesystem::path file = folder.Path("cut.jpg");
    std::ofstream(file, std::ios::binary) << cut;
    const auto whole = Vel::TReadOptions().SetRefusePartial(true);
    const auto truncated = testing::HasSubstr(" rows) and whole pictures were asked for");
    EXPECT_THAT([&] { Vel::ReadBarcodes(file, whole); },
                testing::ThrowsMessage<Host::EInvalidGraphic>(testing::AllOf(
                    testing::StartsWith("Cannot load picture file \"" + file.string() +
                                        "\": the picture is truncated ("),
                    truncated)));
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(cut.data()),
                                              cut.size());
    EXPECT_THAT([&] { Vel::ReadBarcodes(bytes, whole); },
                testing::ThrowsMessage<Host::EInvalidGraphic>(truncated));
}

} // namespace
