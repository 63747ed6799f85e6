// What the libraries write to standard error on their own while a worker reads or scans a
// picture: a decoder's lines become the picture's warning, ZBar's lines are shown with -v,
// both named with the picture's path, and nothing comes through raw.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

// A PDF page drawing a JPEG whose entropy-coded data has bytes flipped in its middle: libjpeg,
// called by poppler, writes "Corrupt JPEG data: bad Huffman code" while the page is drawn.
const std::string CorruptJpegPdf = Broken("corrupt-jpeg.pdf");
const std::string CorruptJpegWarning = "libjpeg: Corrupt JPEG data: bad Huffman code";

// The fake ZBar writes a DataBar assertion line (two lines, the second starting with a tab)
// when it scans a picture of this width: the sample code128.jpg.
constexpr char AssertWidth[] = "1496";
const std::string ZBarLine = "zbar: WARNING: zbar/decoder/databar.c:1265: _zbar_decode_databar: "
                             "Assertion \"seg->finder >= 0\" failed.";

TEST(VelscanStderrCapture, ADecodersLinesBecomeThePicturesWarningInText) {
    const auto run = Velscan({CorruptJpegPdf});
    EXPECT_EQ(run.ExitStatus, 4) << run.Err; // a warning alone changes no status
    EXPECT_EQ(Lines(run.Err), std::vector<std::string>{"velscan: " + CorruptJpegPdf +
                                                       ": warning: " + CorruptJpegWarning});
}

TEST(VelscanStderrCapture, ADecodersLinesBecomeThePicturesWarningInJson) {
    const auto run = Velscan({"--format=json", CorruptJpegPdf});
    EXPECT_EQ(run.ExitStatus, 4) << run.Err;
    const auto entries = JsonLines(run.Out);
    ASSERT_EQ(entries.size(), 1u) << run.Out;
    EXPECT_EQ(entries[0]["warning"].String, CorruptJpegWarning);
    EXPECT_EQ(Lines(run.Err), std::vector<std::string>{"velscan: " + CorruptJpegPdf +
                                                       ": warning: " + CorruptJpegWarning});
}

TEST(VelscanStderrCapture, ZBarsLinesAreShownWithVerboseOnly) {
    const TEnvironment environment({{"FAKEZBAR_ASSERT_WIDTH", AssertWidth}});
    const std::string picture = Sample("code128.jpg");
    const std::vector<std::string> shown = {"velscan: " + picture + ": " + ZBarLine,
                                            "velscan: " + picture +
                                                ": zbar: \\ti=8 f=-1(111) "
                                                "part=1"};
    for (const std::string verbose : {"-v", "--verbose", "--verbose=1", "--verbose=2"}) {
        const auto run = Velscan({"--library", VEL_FAKE_ZBAR, verbose, picture});
        EXPECT_EQ(Lines(run.Err), shown) << verbose;
    }
    for (const std::string quiet : {"--verbose=0", "-q"}) {
        const auto run = Velscan({"--library", VEL_FAKE_ZBAR, quiet, picture});
        EXPECT_EQ(run.Err, "") << quiet;
    }
}

TEST(VelscanStderrCapture, WithoutIsolationStandardErrorIsLeftAsItIs) {
    const TEnvironment environment({{"FAKEZBAR_ASSERT_WIDTH", AssertWidth}});
    const auto run =
        Velscan({"--library", VEL_FAKE_ZBAR, "--no-isolation", "-v", Sample("code128.jpg")});
    EXPECT_NE(run.Err.find("WARNING: zbar/decoder/databar.c:1265"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("velscan: "), std::string::npos) << run.Err;
}

TEST(VelscanStderrCapture, AnInvalidVerboseLevelIsRefused) {
    const auto run = Velscan({"--verbose=x", Sample("code128.jpg")});
    EXPECT_EQ(run.ExitStatus, 1) << run.Err;
    EXPECT_NE(run.Err.find("invalid --verbose value 'x'"), std::string::npos) << run.Err;
}

} // namespace
