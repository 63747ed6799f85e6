// velscan on files of many pages: every page of a TIFF, a GIF and a PDF reported on its own,
// pages chosen, a page's error beside the others' results, a crash on a later page, and a
// JPEG cut short.
#include "PageFiles.h"
#include "TestPictures.h"
#include "VelscanRun.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <fstream>
#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

Support::TGrayImage Code(const std::string& data, int width = 360, int height = 160) {
    return TestPictures::Place(Support::RenderBarcode(BARCODE_CODE128, data), width, height, 20,
                               20);
}

Support::TGrayImage Blank(int width = 360, int height = 160) {
    return {width, height,
            std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 255)};
}

std::string Save(const TTempFolder& folder, const std::string& name, const std::string& bytes) {
    const auto path = folder.Path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

// Each JSON entry's page, page count and data (or error), joined.
std::vector<std::string> PageSummaries(const std::string& out) {
    std::vector<std::string> summaries;
    for (const TJson& entry : JsonLines(out)) {
        std::string summary = std::to_string(static_cast<int>(entry["page"].Number)) + "/" +
                              std::to_string(static_cast<int>(entry["pages"].Number));
        if (entry.Has("error"))
            summary += " error";
        else
            for (const TJson& barcode : entry["barcodes"].Items)
                summary += " " + barcode["data"].String;
        summaries.push_back(summary);
    }
    return summaries;
}

TEST(VelscanPages, EveryPageOfTiffGifAndPdfIsAnEntryOfItsOwn) {
    const TTempFolder folder;
    const std::vector<Support::TGrayImage> pages = {Blank(), Code("page two"), Code("page three")};
    const std::vector<std::string> files = {
        Save(folder, "fax.tif", Support::MakeTiffPages(pages)),
        Save(folder, "frames.gif", Support::MakeGifFrames(pages)),
        Save(folder, "invoice.pdf", Support::MakePdfPages(pages, 150)),
    };
    for (const std::string& file : files) {
        const auto run = Velscan({"--format", "json", file});
        EXPECT_EQ(run.ExitStatus, 0) << file << run.Err;
        EXPECT_EQ(PageSummaries(run.Out),
                  (std::vector<std::string>{"1/3", "2/3 page two", "3/3 page three"}))
            << file;
    }
    const auto text = Velscan({"--with-path", files[0]});
    EXPECT_EQ(Lines(text.Out), (std::vector<std::string>{files[0] + "#2:CODE-128:page two",
                                                         files[0] + "#3:CODE-128:page three"}));
}

TEST(VelscanPages, PagesAndResolutionAreChosen) {
    const TTempFolder folder;
    const std::string pdf = Save(
        folder, "doc.pdf", Support::MakePdfPages({Code("one"), Code("two"), Code("three")}, 150));
    EXPECT_EQ(PageSummaries(Velscan({"--format=json", "--pages", "2-", pdf}).Out),
              (std::vector<std::string>{"2/3 two", "3/3 three"}));
    EXPECT_EQ(PageSummaries(Velscan({"--format=json", "--pages", "1,3", pdf}).Out),
              (std::vector<std::string>{"1/3 one", "3/3 three"}));
    // 360 pixels at 150 dpi are 2.4 inches: 720 pixels at 300 dpi, the default.
    EXPECT_EQ(JsonLines(Velscan({"--format=json", "--pages=1", pdf}).Out)[0]["width"].Number, 720);
    EXPECT_EQ(
        JsonLines(Velscan({"--format=json", "--pages=1", "--dpi=75", pdf}).Out)[0]["width"].Number,
        180);

    const auto none = Velscan({"--pages", "4-", pdf});
    EXPECT_EQ(none.ExitStatus, 2);
    EXPECT_NE(none.Err.find("--pages selects none of the file's 3 pages"), std::string::npos)
        << none.Err;
    for (const char* bad : {"0", "3-2", "x", "1,", "-2"})
        EXPECT_EQ(Velscan({"--pages", bad, pdf}).ExitStatus, 1) << bad;
}

TEST(VelscanPages, APageThatCannotBeReadIsReportedBesideTheOthers) {
    const TTempFolder folder;
    // The third page passes the pixel limit; the first two are read.
    const std::string tiff = Save(
        folder, "mixed.tif",
        Support::MakeTiffPages({Code("small one"), Code("small two"), Code("large", 1000, 1000)}));
    const auto run = Velscan({"--max-pixels", "100000", tiff});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_EQ(Lines(run.Out),
              (std::vector<std::string>{"CODE-128:small one", "CODE-128:small two"}));
    EXPECT_NE(run.Err.find("velscan: " + tiff + "#3: "), std::string::npos) << run.Err;

    const auto json = Velscan({"--format=json", "--max-pixels", "100000", tiff});
    EXPECT_EQ(PageSummaries(json.Out),
              (std::vector<std::string>{"1/3 small one", "2/3 small two", "3/3 error"}));
}

TEST(VelscanPages, ACrashOnALaterPageCostsThatPageOnly) {
    const TTempFolder folder;
    const std::string tiff =
        Save(folder, "crash.tif",
             Support::MakeTiffPages({Code("one", 300), Code("two", 320), Code("three", 340)}));
    const TEnvironment environment({{"FAKEZBAR_CRASH_WIDTH", "320"}});
    const auto run = Velscan({"--library", VEL_FAKE_ZBAR, "--effort=fast", "--format=json", tiff});
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto entries = JsonLines(run.Out);
    ASSERT_EQ(entries.size(), 3u) << run.Out;
    EXPECT_EQ(entries[0]["page"].Number, 1);
    EXPECT_FALSE(entries[0].Has("error"));
    EXPECT_EQ(entries[1]["page"].Number, 2);
    EXPECT_NE(entries[1]["error"].String.find("crashed"), std::string::npos);
    EXPECT_EQ(entries[2]["page"].Number, 3);
    EXPECT_FALSE(entries[2].Has("error"));
}

// A tall JPEG, the barcode at its top, cut in its lower part.
TEST(VelscanPages, ATruncatedJpegIsScannedInTheRowsThatArrivedWithAWarning) {
    const TTempFolder folder;
    const std::string file = Save(
        folder, "cut.jpg",
        TestPictures::CutJpeg(Support::RenderBarcode(BARCODE_CODE128, "cut short"), 400, 1200));

    const auto run = Velscan({"--format=json", file});
    EXPECT_EQ(run.ExitStatus, 2);
    const auto entries = JsonLines(run.Out);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]["barcodes"][0]["data"].String, "cut short");
    EXPECT_NE(entries[0]["warning"].String.find("picture truncated: "), std::string::npos);
    EXPECT_NE(entries[0]["warning"].String.find(" of 1200 rows"), std::string::npos);
    EXPECT_NE(run.Err.find(file + ": warning: picture truncated: "), std::string::npos) << run.Err;
}

} // namespace

// A DataMatrix, which ZBar cannot read, on a PDF page: the second engine reads it, in the
// worker processes and in-process, and the outputs name it.
TEST(VelscanPages, ADataMatrixOnAPdfPageIsRead) {
    if (std::string(VELSCAN_ENGINES).find("zxing") == std::string::npos)
        GTEST_SKIP() << "built without the second engine";
    const TTempFolder folder;
    const auto matrix = Support::RenderBarcode(BARCODE_DATAMATRIX, "Vel DataMatrix PDF", 6);
    const auto pdf =
        Save(folder, "label.pdf",
             Support::MakePdfPages({TestPictures::Place(matrix, 400, 300, 40, 40)}, 150));
    for (const char* isolation : {"--effort=normal", "--no-isolation"}) {
        const auto run = Velscan({isolation, pdf});
        EXPECT_EQ(run.ExitStatus, 0) << run.Err;
        EXPECT_EQ(run.Out, "DataMatrix:Vel DataMatrix PDF\n") << isolation;
    }
    const auto json = JsonLines(Velscan({"--format=json", pdf}).Out);
    ASSERT_EQ(json.size(), 1u);
    ASSERT_EQ(json[0]["barcodes"].Items.size(), 1u);
    EXPECT_EQ(json[0]["barcodes"].Items[0]["symbology"].String, "DataMatrix");
    EXPECT_EQ(json[0]["barcodes"].Items[0]["pass"].String, "zxing");
    // fast effort is ZBar's single pass alone.
    EXPECT_EQ(Velscan({"--effort=fast", pdf}).Out, "");
}
