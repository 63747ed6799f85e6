// zbarimg's options, as its users type them: those with a meaning in velscan take it, those
// for a window or the desktop bus change nothing, and the display points to --annotate.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

TEST(VelscanZbarimgOptions, EachMeansWhatItMeansToZbarimg) {
    const std::string multi = Sample("multi.png"); // a QR code and an I2/5 code
    const auto text = Velscan({multi});
    const auto raw = Velscan({"--format=raw", multi});
    ASSERT_EQ(Lines(text.Out).size(), 2u) << text.Out;
    struct TCase {
        std::vector<std::string> Args;
        std::string Out;
    };
    const std::vector<TCase> cases = {
        {{"--raw"}, raw.Out},
        {{"--format=json", "--noxml"}, text.Out},
        {{"-D"}, text.Out},
        {{"--nodisplay", "--nodbus"}, text.Out},
        {{"-1"}, Lines(text.Out)[0] + "\n"},
        {{"--oneshot", "--raw"}, Lines(raw.Out)[0] + "\n"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = c.Args;
        args.push_back(multi);
        const auto run = Velscan(args);
        EXPECT_EQ(run.ExitStatus, 0) << c.Args[0] << ": " << run.Err;
        EXPECT_EQ(run.Out, c.Out) << c.Args[0];
    }
}

TEST(VelscanZbarimgOptions, TheDisplayIsRefusedWithTheWayToSeeResults) {
    for (const char* option : {"-d", "--display"}) {
        const auto run = Velscan({option, Sample("ean13.png")});
        EXPECT_EQ(run.ExitStatus, 1) << option;
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(std::string("velscan: ") + option + " shows pictures in a window"),
                  std::string::npos)
            << run.Err;
        EXPECT_NE(run.Err.find("--annotate DIR"), std::string::npos) << run.Err;
    }
}

} // namespace
