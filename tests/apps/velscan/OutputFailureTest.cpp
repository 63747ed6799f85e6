// velscan's results sent where they cannot be written: a full device, a pipe whose reader has
// gone (with SIGPIPE ignored, as the test runner leaves it for its children). The run stops
// taking pictures, tells why with the system's reason and exits with status 1.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace VelScanTest;

namespace {

TEST(VelscanOutput, AFullDeviceStopsTheRunInEveryFormat) {
    for (const std::string format : {"text", "raw", "json", "xml"}) {
        const auto run =
            RunProcess({"/bin/sh", "-c", "exec \"$0\" \"$@\" > /dev/full", VELSCAN_PATH, "--format",
                        format, Sample("ean13.png"), Sample("code39.gif")});
        EXPECT_EQ(run.ExitStatus, 1) << format;
        EXPECT_EQ(run.Err, "velscan: cannot write the results: No space left on device\n")
            << format;
    }
}

TEST(VelscanOutput, AClosedPipeStopsTheRunEarly) {
    // 100000 pictures take minutes to scan; once `head` has gone, velscan must stop within the
    // first few, long before `timeout` would end it (status 124).
    const std::string script = "trap '' PIPE\n"
                               "yes \"$1\" | head -n 100000 | timeout 300 \"$0\" -j 2 - |"
                               " head -c 10 > /dev/null\n"
                               "echo \"velscan status ${PIPESTATUS[2]}\" >&2\n";
    const auto run = RunProcess({"/bin/bash", "-c", script, VELSCAN_PATH, Sample("ean13.png")});
    EXPECT_NE(run.Err.find("velscan: cannot write the results: Broken pipe\n"), std::string::npos)
        << run.Err;
    EXPECT_TRUE(run.Err.ends_with("velscan status 1\n")) << run.Err;
}

} // namespace
