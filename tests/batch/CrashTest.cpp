// A worker process that crashes costs only its picture, or its page of a file whose pages the
// workers share. With the fake ZBar, loaded by this
// test program alone (a process loads ZBar once); the program serves as the worker
// (BatchMain.cpp).
#include "BatchFolder.h"
#include "PageFiles.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace VelBatch;
using BatchTest::BatchRun;
using BatchTest::Paths;

// The fake ZBar crashes on code128.jpg (1496 pixels wide): that picture has the error, the
// others their results, each once and in order.
TEST_F(BatchRun, AWorkerThatCrashesCostsOnlyItsPicture) {
    setenv("FAKEZBAR_CRASH_WIDTH", "1496", 1);
    const auto files = Run({.Scan = {.Library = VEL_FAKE_ZBAR}, .Jobs = 2});
    unsetenv("FAKEZBAR_CRASH_WIDTH");
    EXPECT_EQ(Paths(files), Walk());
    for (const TFileResult& file : files) {
        const TPageResult& page = file.at(0);
        if (page.Path == Path("code128.jpg")) {
            ASSERT_TRUE(page.Error);
            EXPECT_EQ(page.ErrorKind, TErrorKind::ekOther);
            EXPECT_NE(page.Error->find("crashed while reading or scanning the picture: signal 11"),
                      std::string::npos)
                << *page.Error;
        } else {
            EXPECT_FALSE(page.Error) << page.Path << ": " << *page.Error;
            EXPECT_GT(page.Width, 0) << page.Path;
        }
    }
}

// Five blank pages 300, 320, ... pixels wide, read by two workers: the fake crashes on the
// third; that page alone has the error, every page comes once and in order.
TEST(BatchPagesCrash, ACrashOnAPageCostsThatPageOnly) {
    const Support::TTempFolder folder;
    std::vector<Support::TGrayImage> pages;
    for (int width = 300; width <= 380; width += 20)
        pages.push_back({width, 120, std::vector<std::uint8_t>(width * 120u, 255)});
    const std::string path = folder.Path("doc.tif").string();
    std::ofstream(path, std::ios::binary) << Support::MakeTiffPages(pages);
    setenv("FAKEZBAR_CRASH_WIDTH", "340", 1);
    TBatch batch({.Scan = {.Library = VEL_FAKE_ZBAR}, .Paths = {path}, .Jobs = 2});
    const auto file = batch.Next();
    unsetenv("FAKEZBAR_CRASH_WIDTH");
    ASSERT_TRUE(file);
    EXPECT_FALSE(batch.Next());
    ASSERT_EQ(file->size(), 5u);
    for (int page = 1; page <= 5; ++page) {
        const TPageResult& result = file->at(static_cast<std::size_t>(page - 1));
        EXPECT_EQ(result.Page, page);
        EXPECT_EQ(result.Pages, 5);
        if (page == 3) {
            ASSERT_TRUE(result.Error);
            EXPECT_NE(result.Error->find("signal 11"), std::string::npos) << *result.Error;
        } else {
            EXPECT_FALSE(result.Error) << page << ": " << *result.Error;
            EXPECT_EQ(result.Width, 280 + 20 * page);
        }
    }
}

} // namespace
