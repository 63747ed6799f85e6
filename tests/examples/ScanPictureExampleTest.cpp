// The example program examples/scan_picture, run on picture files as an application would.
#include "TempFolder.h"
#include "TestPictures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zint.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Output;
};

// Runs the example with the argument, its standard output and error together.
TRun RunExample(const std::string& argument) {
    const std::string command = std::string(VEL_SCAN_PICTURE) + " '" + argument + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    TRun run;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        run.Output += buffer.data();
    const int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ScanPictureExample, PrintsEachBarcodeOfThePicture) {
    Support::TTempFolder folder;
    const auto file = folder.Path("two barcodes.bmp");
    const Support::TGrayImage ean = Support::RenderBarcode(BARCODE_EANX, "400638133393", 2, 0);
    Support::TGrayImage picture = TestPictures::Place(ean, 700, 400, 20, 20);
    const Support::TGrayImage code128 = Support::RenderBarcode(BARCODE_CODE128, "Example", 2, 0);
    for (int y = 0; y < code128.Height; ++y)
        for (int x = 0; x < code128.Width; ++x)
            picture.Pixels[std::size_t(250 + y) * 700 + 300 + x] =
                code128.Pixels[std::size_t(y) * code128.Width + x];
    TestPictures::Save(*TestPictures::ToBitmap(picture), TestPictures::TFileKind::Bmp, file);

    const TRun run = RunExample(file.string());
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_THAT(run.Output, testing::HasSubstr("EAN-13: 4006381333931"));
    EXPECT_THAT(run.Output, testing::HasSubstr("CODE-128: Example"));
}

TEST(ScanPictureExample, NamesAFileItCannotRead) {
    const TRun run = RunExample("/nonexistent/picture.png");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_THAT(run.Output, testing::HasSubstr("/nonexistent/picture.png"));
}

} // namespace
