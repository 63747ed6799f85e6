// The pages of one file shared by the workers: every page once, in page order, with the
// results one worker gives reading the file from beginning to end, whether its pages are
// chosen or a page passes what the file's pages may hold together. The test program serves as
// the worker (BatchMain.cpp).
#include "Codecs.h"
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "RunToEnd.h"
#include "TempFolder.h"
#include "vel/batch/Batch.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace VelBatch;

// A document of six pages, each with a Code 128 symbol saying its page, its width growing
// with the page.
std::vector<Support::TGrayImage> Pages() {
    std::vector<Support::TGrayImage> pages;
    for (int page = 1; page <= 6; ++page) {
        Support::TGrayImage code =
            Support::RenderBarcode(BARCODE_CODE128, "page " + std::to_string(page));
        const int width = code.Width + 20 * page;
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * code.Height, 255);
        for (int y = 0; y < code.Height; ++y)
            for (int x = 0; x < code.Width; ++x)
                pixels[static_cast<std::size_t>(y) * width + x] =
                    code.Pixels[static_cast<std::size_t>(y) * code.Width + x];
        pages.push_back({width, code.Height, std::move(pixels)});
    }
    return pages;
}

class BatchPages : public testing::Test {
protected:
    void SetUp() override {
        Save("doc.tif", Support::MakeTiffPages(Pages()));
        Save("doc.pdf", Support::MakePdfPages(Pages(), 150));
    }

    std::string Path(const std::string& name) const { return FTemp.Path(name).string(); }

    // The TIFF, and the PDF when the build reads PDFs.
    std::vector<std::string> Documents() const {
        std::vector<std::string> paths = {Path("doc.tif")};
        if (Support::ReadsPdf)
            paths.push_back(Path("doc.pdf"));
        return paths;
    }

    // Every result of a run over the paths, file by file.
    static std::vector<TFileResult> Run(TBatchSettings settings,
                                        const std::vector<std::string>& paths) {
        settings.Paths = paths;
        return BatchTest::RunToEnd(std::move(settings));
    }

private:
    void Save(const std::string& name, const std::string& bytes) const {
        std::ofstream(FTemp.Path(name), std::ios::binary) << bytes;
    }

    Support::TTempFolder FTemp;
};

// Each page's number and the data read on it (or "error").
std::vector<std::string> Summary(const TFileResult& file) {
    std::vector<std::string> pages;
    for (const TPageResult& page : file) {
        std::string summary = std::to_string(page.Page) + "/" + std::to_string(page.Pages);
        if (page.Error)
            summary += " error";
        for (const Vel::TBarcode& barcode : page.Barcodes)
            summary += " " + barcode.Data;
        pages.push_back(summary);
    }
    return pages;
}

TEST_F(BatchPages, EveryPageOnceInOrderAsOneWorkerReadsThem) {
    std::vector<std::string> paths = Documents();
    paths.push_back(Path("doc.tif"));
    const std::vector<std::string> expected = {"1/6 page 1", "2/6 page 2", "3/6 page 3",
                                               "4/6 page 4", "5/6 page 5", "6/6 page 6"};
    for (const bool isolation : {true, false}) {
        const auto one = Run({.Jobs = 1, .Isolation = isolation}, paths);
        const auto two = Run({.Jobs = 2, .Isolation = isolation}, paths);
        const auto three = Run({.Jobs = 3, .Isolation = isolation}, paths);
        ASSERT_EQ(one.size(), paths.size());
        for (const TFileResult& file : one)
            EXPECT_EQ(Summary(file), expected) << file.at(0).Path;
        EXPECT_EQ(two, one) << "isolation " << isolation;
        EXPECT_EQ(three, one) << "isolation " << isolation;
    }
}

// Chosen pages, and a limit on the file's pixels that refuses page 4 and so the pages after
// it, give what one worker gives.
TEST_F(BatchPages, ChosenPagesAndTheFilesPixelsAsOneWorkerReadsThem) {
    const std::vector<std::string> paths = Documents();
    TScanSettings chosen{.Pages = TPageSelection::Parse("2-3,5-")};
    TScanSettings late{.Pages = TPageSelection::Parse("4-")};
    const auto pages = Pages();
    std::uint64_t firstThree = 0;
    for (std::size_t page = 0; page < 3; ++page)
        firstThree += static_cast<std::uint64_t>(pages[page].Width) * pages[page].Height;
    TScanSettings limited{.MaxFilePixels = firstThree + 10};
    for (const TScanSettings& scan : {chosen, late, limited}) {
        const auto one = Run({.Scan = scan, .Jobs = 1}, paths);
        const auto two = Run({.Scan = scan, .Jobs = 2}, paths);
        EXPECT_EQ(two, one) << scan.Pages.Text();
        ASSERT_EQ(one.size(), paths.size());
    }
    EXPECT_EQ(Summary(Run({.Scan = chosen, .Jobs = 2}, paths).at(0)),
              (std::vector<std::string>{"2/6 page 2", "3/6 page 3", "5/6 page 5", "6/6 page 6"}));
    EXPECT_EQ(Summary(Run({.Scan = limited, .Jobs = 2}, paths).at(0)),
              (std::vector<std::string>{"1/6 page 1", "2/6 page 2", "3/6 page 3", "4/6 error",
                                        "5/6 error", "6/6 error"}));
}

} // namespace
