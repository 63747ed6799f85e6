// A worker process that crashes costs only its picture. With the fake ZBar, loaded by this
// test program alone (a process loads ZBar once); the program serves as the worker
// (BatchMain.cpp).
#include "BatchFolder.h"

#include <cstdlib>
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

} // namespace
