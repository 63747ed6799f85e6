// The example of the one-call API, examples/read_barcodes, run as a process.
#include "Process.h"
#include "TempFolder.h"
#include "TestPictures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zint.h>

namespace {

TEST(ReadBarcodesExample, PrintsTheBarcodeOfAPictureFile) {
    Support::TTempFolder folder;
    const auto file = folder.Path("caf\xe9 label.png"); // a name that is not UTF-8
    const Support::TGrayImage ean = Support::RenderBarcode(BARCODE_EANX, "400638133393", 2, 0);
    TestPictures::Save(*TestPictures::ToBitmap(TestPictures::Place(ean, 400, 200, 20, 20)),
                       TestPictures::TFileKind::Png, file);

    const auto run = VelScanTest::RunProcess({VEL_READ_BARCODES, file.string()});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Out, "EAN-13:4006381333931\n");
}

TEST(ReadBarcodesExample, NamesAFileItCannotRead) {
    const auto run = VelScanTest::RunProcess({VEL_READ_BARCODES, "/nonexistent/picture.png"});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_THAT(run.Err, testing::HasSubstr("/nonexistent/picture.png"));
}

} // namespace
