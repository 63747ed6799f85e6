// The batch as an application uses it: every picture of a folder once, in the walk order
// whatever the number of jobs and with or without worker processes, barcodes as the library's
// values, and a picture above the pixel limit told by its kind. The test program serves as the
// worker (BatchMain.cpp).
#include "BatchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace VelBatch;
using BatchTest::BatchRun;
using BatchTest::Paths;

TEST_F(BatchRun, EveryPictureOnceInTheWalkOrderWithItsBarcodes) {
    std::vector<std::vector<TFileResult>> runs;
    for (const unsigned jobs : {1u, 3u})
        for (const bool isolation : {true, false}) {
            runs.push_back(Run({.Jobs = jobs, .Isolation = isolation}));
            EXPECT_EQ(Paths(runs.back()), Walk()) << jobs << " jobs, isolation " << isolation;
        }
    const std::vector<TFileResult>& files = runs.front();
    ASSERT_EQ(files.size(), 5u);
    const TPageResult& ean13 = files[2].at(0);
    EXPECT_FALSE(ean13.Error);
    EXPECT_EQ(ean13.Width, 452);
    ASSERT_EQ(ean13.Barcodes.size(), 1u);
    EXPECT_EQ(ean13.Barcodes[0].Symbology, Vel::TVelSymbology::syEan13);
    EXPECT_EQ(ean13.Barcodes[0].Data, "9780201379624");
    EXPECT_EQ(files[3].at(0).Barcodes.size(), 2u); // multi.png: QR code and I2/5
    for (const auto& run : runs)
        for (std::size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(run[i].at(0).Barcodes, files[i].at(0).Barcodes) << files[i].at(0).Path;
}

TEST_F(BatchRun, APictureAboveThePixelLimitSaysSoByItsKind) {
    const auto files = Run({.Scan = {.MaxPixels = 200000}, .Jobs = 1});
    ASSERT_EQ(files.size(), 5u);
    const TPageResult& code128 = files[0].at(0); // 1496 pixels wide: above the limit
    ASSERT_TRUE(code128.Error);
    EXPECT_EQ(code128.ErrorKind, TErrorKind::ekPixelLimit) << *code128.Error;
    const TPageResult& ean13 = files[2].at(0); // 452 x 232
    EXPECT_FALSE(ean13.Error);
    Host::SetMaxPicturePixels(Host::DefaultMaxPicturePixels);
}

TEST(BatchSettingsRefused, AConfigurationZBarRefusesStopsTheRunBeforeItStarts) {
    for (const bool isolation : {true, false})
        EXPECT_THROW(TBatch({.Scan = {.Configs = {"no-such-setting=1"}},
                             .Paths = {"x.png"},
                             .Isolation = isolation}),
                     EConfigError);
}

} // namespace
