// Files of many pages: choosing the TIFF directory, GIF frame or PDF page a picture loads,
// the limits on pages and on each page's pixels, PDF's own errors, and a JPEG cut short.
#include "Codecs.h"
#include "Encoders.h"
#include "PageFiles.h"
#include "TempFolder.h"
#include "TestPicture.h"

#include "vel/host/Errors.h"
#include "vel/host/JpegImage.h"
#include "vel/host/PageReader.h"
#include "vel/host/Picture.h"
#include "vel/host/PixelLimit.h"
#include "vel/host/TiffImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Host;
using Support::TGrayImage;
using testing::HasSubstr;

TGrayImage Uniform(int width, int height, uint8_t gray) {
    return {width, height, std::vector<uint8_t>(static_cast<size_t>(width * height), gray)};
}

// Three pages of 4 x 3 pixels, each of its own gray.
const std::vector<uint8_t> PageGrays = {20, 130, 240};
std::vector<TGrayImage> ThreePages() {
    std::vector<TGrayImage> pages;
    for (uint8_t gray : PageGrays)
        pages.push_back(Uniform(4, 3, gray));
    return pages;
}

uint8_t GrayAt(TGraphic& graphic, int x, int y) {
    return static_cast<uint8_t>(Pixels32(graphic)[static_cast<size_t>(y * graphic.Width() + x)]);
}

// Restores the pixel limit a test lowers.
class TLimitGuard {
public:
    explicit TLimitGuard(uint64_t pixels) : FSaved(MaxPicturePixels()) {
        SetMaxPicturePixels(pixels);
    }
    ~TLimitGuard() { SetMaxPicturePixels(FSaved); }
    TLimitGuard(const TLimitGuard&) = delete;
    TLimitGuard& operator=(const TLimitGuard&) = delete;

private:
    uint64_t FSaved;
};

template <class F> std::string MessageOf(F&& load) {
    try {
        load();
    } catch (const EInvalidGraphic& e) {
        return ToUtf8(e.Message());
    }
    return "no error";
}

struct TPagedFile {
    const char* Kind;
    std::string Bytes;
    int Tolerance; // a drawn PDF page may blend its edge
};

class PagedFiles : public testing::TestWithParam<TPagedFile> {
protected:
    void SetUp() override {
        if (std::string_view(GetParam().Kind) == "PDF" && !Support::ReadsPdf)
            GTEST_SKIP() << Support::NoPdf;
    }

    Support::TTempFolder Folder;
};

TEST_P(PagedFiles, LoadEveryPageAndRefuseOnePastTheLast) {
    const std::filesystem::path file = Folder.Path("pages");
    Folder.Write("pages", GetParam().Bytes);
    for (int index = 0; index < 3; ++index) {
        TPicture picture;
        picture.LoadFromFile(file, TPageChoice{index, 72});
        ASSERT_EQ(picture.Width(), 4);
        ASSERT_EQ(picture.Height(), 3);
        EXPECT_EQ(picture.Graphic()->PageCount(), 3);
        EXPECT_EQ(picture.Graphic()->PageIndex(), index);
        EXPECT_NEAR(GrayAt(*picture.Graphic(), 1, 1), PageGrays[static_cast<size_t>(index)],
                    GetParam().Tolerance);
    }
    TPicture picture;
    EXPECT_EQ(MessageOf([&] {
                  picture.LoadFromFile(file, TPageChoice{3, 72});
              }),
              "Cannot load picture file \"" + file.string() + "\": There is no page 4: the " +
                  GetParam().Kind + " picture has 3 pages");
    EXPECT_THAT(MessageOf([&] {
                    picture.LoadFromFile(file, TPageChoice{-1, 72});
                }),
                HasSubstr("Invalid page index -1"));
    EXPECT_EQ(picture.Graphic(), nullptr);
}

// One reader, one pass: the pages in rising order, then an earlier one (which starts the
// file again), a page past the last (an error that leaves the picture as it was) and the
// pages after it.
TEST_P(PagedFiles, OneReaderLoadsThePagesInAnyOrder) {
    const std::filesystem::path file = Folder.Path("pages");
    Folder.Write("pages", GetParam().Bytes);
    TPageReader reader(file);
    TPicture picture;
    const auto expectPage = [&](int index) {
        reader.LoadPage(picture, TPageChoice{index, 72});
        ASSERT_EQ(picture.Width(), 4);
        EXPECT_EQ(picture.Graphic()->PageCount(), 3);
        EXPECT_EQ(picture.Graphic()->PageIndex(), index);
        EXPECT_NEAR(GrayAt(*picture.Graphic(), 1, 1), PageGrays[static_cast<size_t>(index)],
                    GetParam().Tolerance);
    };
    for (const int index : {0, 1, 2, 0, 2, 1})
        expectPage(index);
    EXPECT_EQ(MessageOf([&] {
                  reader.LoadPage(picture, TPageChoice{3, 72});
              }),
              "Cannot load picture file \"" + file.string() + "\": There is no page 4: the " +
                  GetParam().Kind + " picture has 3 pages");
    EXPECT_EQ(picture.Graphic()->PageIndex(), 1);
    expectPage(2);
    expectPage(0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PagedFiles,
    testing::Values(TPagedFile{"TIFF", Support::MakeTiffPages(ThreePages()), 0},
                    TPagedFile{"GIF", Support::MakeGifFrames(ThreePages()), 0},
                    TPagedFile{"PDF", Support::MakePdfPages(ThreePages(), 72), 2}),
    [](const auto& info) { return std::string(info.param.Kind); });

TEST(Pages, AReaderReadsKindsOfOnePageAndRefusesWhatIsNoPicture) {
    TBitmap bitmap;
    FillTest(bitmap);
    std::stringstream file;
    bitmap.SaveToStream(file);
    TPageReader reader(file);
    TPicture picture;
    reader.LoadPage(picture, TPageChoice{});
    EXPECT_EQ(picture.Width(), bitmap.Width());
    EXPECT_EQ(MessageOf([&] { reader.LoadPage(picture, TPageChoice{1}); }),
              "Cannot choose page 2: this kind of picture has one page");
    for (const std::string& bytes : {std::string(), std::string("no picture at all")}) {
        std::istringstream stream(bytes);
        EXPECT_THAT(MessageOf([&] { TPageReader none(stream); }),
                    HasSubstr(bytes.empty() ? "empty" : "Unknown picture format"));
    }
}

TEST(Pages, KindsOfOnePageRefuseAnotherPage) {
    TBitmap bitmap;
    FillTest(bitmap);
    std::stringstream file;
    bitmap.SaveToStream(file);
    TPicture picture;
    EXPECT_EQ(MessageOf([&] { picture.LoadFromStream(file, TPageChoice{1}); }),
              "Cannot choose page 2: this kind of picture has one page");
    picture.LoadFromStream(file, TPageChoice{});
    EXPECT_EQ(picture.Graphic()->PageCount(), 1);
}

// Saving a later page writes that page alone, not the file it came from.
TEST(Pages, SavingALaterPageWritesThatPage) {
    std::istringstream tiff(Support::MakeTiffPages(ThreePages()));
    TPicture picture;
    picture.LoadFromStream(tiff, TPageChoice{2});
    std::stringstream saved;
    picture.SaveToStream(saved);
    TPicture again;
    again.LoadFromStream(saved);
    EXPECT_EQ(again.Graphic()->PageCount(), 1);
    EXPECT_EQ(GrayAt(*again.Graphic(), 0, 0), PageGrays[2]);
}

TEST(Pages, AFileOfMorePagesThanTheLimitIsRefused) {
    const std::string tiff = Support::MakeTiffPages(
        std::vector<TGrayImage>(static_cast<size_t>(MaxPicturePages) + 1, Uniform(1, 1, 0)));
    std::istringstream stream(tiff);
    TPicture picture;
    EXPECT_EQ(MessageOf([&] { picture.LoadFromStream(stream); }),
              "TIFF picture holds 10001 pages, more than the 10000 pages a file may hold");
}

// A GIF's frames are counted up to one past the limit: the message does not claim more.
TEST(Pages, AGifOfMoreFramesThanTheLimitSaysMoreThanTheLimit) {
    std::istringstream stream(Support::MakeGifFrames(
        std::vector<TGrayImage>(static_cast<size_t>(MaxPicturePages) + 50, Uniform(1, 1, 0))));
    TPicture picture;
    EXPECT_EQ(MessageOf([&] { picture.LoadFromStream(stream); }),
              "GIF picture holds more than 10000 pages, more than the 10000 pages a file may hold");
}

// Each page passes the pixel limit and the size observer as a picture of its own.
TEST(Pages, ThePixelLimitAppliesToEachPage) {
    const TLimitGuard limit(5000);
    std::vector<uint64_t> observed;
    const TPictureSizeObserver saved = SetPictureSizeObserver(
        [&observed](uint64_t width, uint64_t height) { observed.push_back(width * height); });
    const std::string tiff = Support::MakeTiffPages({Uniform(10, 10, 0), Uniform(100, 100, 0)});
    TPicture picture;
    std::istringstream first(tiff);
    picture.LoadFromStream(first, TPageChoice{0});
    std::istringstream second(tiff);
    EXPECT_EQ(MessageOf([&] { picture.LoadFromStream(second, TPageChoice{1}); }),
              "TIFF picture of 100 x 100 pixels exceeds the limit of 5000 pixels");
    SetPictureSizeObserver(saved);
    EXPECT_EQ(observed, std::vector<uint64_t>{100});
}

// Skipped in a build without PDF support.
class Pdf : public testing::Test {
protected:
    void SetUp() override {
        if (!Support::ReadsPdf)
            GTEST_SKIP() << Support::NoPdf;
    }
};

TEST_F(Pdf, ResolutionScalesThePage) {
    std::istringstream pdf(Support::MakePdfPages({Uniform(40, 30, 0)}, 72));
    TPicture picture;
    picture.LoadFromStream(pdf, TPageChoice{0, 144});
    EXPECT_EQ(picture.Width(), 80);
    EXPECT_EQ(picture.Height(), 60);
}

// A page is drawn in gray: every pixel opaque with equal red, green and blue, so the reader's
// gray conversion gives back the level poppler drew.
TEST_F(Pdf, APageIsDrawnInOpaqueGray) {
    TGrayImage ramp{16, 16, {}};
    for (int i = 0; i < 256; ++i)
        ramp.Pixels.push_back(static_cast<uint8_t>(i));
    std::istringstream pdf(Support::MakePdfPages({ramp}, 72));
    TPicture picture;
    picture.LoadFromStream(pdf, TPageChoice{0, 72});
    const std::vector<TColor32> pixels = Pixels32(*picture.Graphic());
    ASSERT_EQ(pixels.size(), 256u);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint8_t level = static_cast<uint8_t>(pixels[i]);
        EXPECT_EQ(pixels[i], 0xFF000000u | level * 0x010101u) << "pixel " << i;
    }
}

// A page of 200 x 200 inches is 60000 x 60000 pixels at 300 dpi: refused before poppler
// draws anything (drawing it would take 14 GB).
TEST_F(Pdf, APageLargerThanThePixelLimitIsNeverDrawn) {
    std::istringstream pdf(Support::MakePdfPages({Uniform(100, 100, 0)}, 0.5));
    TPicture picture;
    EXPECT_EQ(MessageOf([&] { picture.LoadFromStream(pdf); }),
              "PDF picture of 60000 x 60000 pixels exceeds the limit of 268435456 pixels");
}

TEST_F(Pdf, DocumentsThatCannotBeReadSayWhy) {
    const std::pair<std::string, std::string> cases[] = {
        {"%PDF-1.4\nthis is no document\n", "the document is damaged or is no PDF"},
        {Support::MakePdfPages({Uniform(4, 4, 0)}, 72, true),
         "the document is encrypted with a password"},
        {Support::MakePdfPages({}, 72), "holds no page"},
    };
    for (const auto& [bytes, reason] : cases) {
        std::istringstream pdf(bytes);
        TPicture picture;
        EXPECT_THAT(MessageOf([&] { picture.LoadFromStream(pdf); }), HasSubstr(reason));
    }
}

TEST_F(Pdf, SavingIsRefused) {
    std::istringstream pdf(Support::MakePdfPages({Uniform(4, 4, 0)}, 72));
    TPicture picture;
    picture.LoadFromStream(pdf);
    std::ostringstream out;
    EXPECT_THAT(MessageOf([&] { picture.SaveToStream(out); }),
                HasSubstr("Cannot write the PDF picture"));
}

// A JPEG of dark stripes (which take many bytes) cut within its data: the rows that arrived,
// the rest white.
class TruncatedJpeg : public testing::Test {
protected:
    static std::string DarkJpeg(bool progressive) {
        JpegLayout layout{64, 256, 1, progressive, {}};
        for (int y = 0; y < 256; ++y) {
            layout.Rows.emplace_back();
            for (int x = 0; x < 64; ++x)
                layout.Rows.back().push_back(static_cast<uint8_t>((x * 7 + y * 13) % 64));
        }
        return MakeJpeg(layout);
    }
};

TEST_F(TruncatedJpeg, GivesTheRowsThatArrivedAndTellsHowMany) {
    const std::string whole = DarkJpeg(false);
    std::istringstream cut(whole.substr(0, whole.size() / 2));
    TJpegImage jpeg;
    jpeg.LoadFromStream(cut);
    ASSERT_TRUE(jpeg.Incomplete().has_value());
    const int rowsRead = jpeg.Incomplete()->RowsRead;
    EXPECT_EQ(jpeg.Incomplete()->RowsTotal, 256);
    EXPECT_GT(rowsRead, 64);
    EXPECT_LT(rowsRead, 256);
    EXPECT_LT(GrayAt(jpeg, 10, rowsRead - 1), 100);
    EXPECT_EQ(GrayAt(jpeg, 10, rowsRead), 255);
    EXPECT_EQ(GrayAt(jpeg, 63, 255), 255);

    std::istringstream complete(whole);
    jpeg.LoadFromStream(complete);
    EXPECT_FALSE(jpeg.Incomplete().has_value());
}

TEST_F(TruncatedJpeg, CutBeforeTheFirstRowIsAnError) {
    const std::string baseline = DarkJpeg(false);
    std::istringstream stream(baseline.substr(0, 200));
    TJpegImage jpeg;
    EXPECT_EQ(MessageOf([&] { jpeg.LoadFromStream(stream); }),
              "Invalid JPEG picture: the data ends early");
}

// A progressive picture cut within its scans has every row, from the scans that arrived.
TEST_F(TruncatedJpeg, ProgressiveIsDrawnFromTheScansThatArrived) {
    const std::string progressive = DarkJpeg(true);
    std::istringstream cut(progressive.substr(0, progressive.size() * 2 / 3));
    TJpegImage jpeg;
    jpeg.LoadFromStream(cut);
    ASSERT_TRUE(jpeg.Incomplete().has_value());
    EXPECT_TRUE(jpeg.Incomplete()->ScansMissing);
    EXPECT_EQ(jpeg.Incomplete()->RowsRead, 256);
    EXPECT_EQ(jpeg.Height(), 256);
    // The dark stripes are there to the last row, coarser: none of it is made white.
    EXPECT_LT(GrayAt(jpeg, 10, 255), 150);
    EXPECT_LT(GrayAt(jpeg, 10, 10), 150);
}

} // namespace
