// The paths velscan is given: what is not a regular file is reported without blocking the
// run, path lists on standard input come a line each or NUL-separated (-0) without a path
// being cut, a picture piped in their place is one error, and messages escape paths.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace VelScanTest;

namespace {

TEST(VelscanPaths, WhatIsNotARegularFileIsAnErrorForItsPath) {
    TTempFolder folder;
    const std::string fifo = (folder.Path() / "pipe.png").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::string>> specials = {
        {fifo, "it is a FIFO (named pipe), not a picture file"},
        {"/dev/null", "it is a character device, not a picture file"},
    };
    std::vector<std::string> args = {"/usr/bin/timeout", "60", VELSCAN_PATH, "--format=json"};
    for (const auto& special : specials)
        args.push_back(special.first);
    args.push_back(Sample("ean13.png"));

    const auto run = RunProcess(args);
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), specials.size() + 1) << run.Out;
    for (std::size_t i = 0; i < specials.size(); ++i) {
        EXPECT_EQ(objects[i]["path"].String, specials[i].first);
        EXPECT_NE(objects[i]["error"].String.find(specials[i].second), std::string::npos)
            << objects[i]["error"].String;
    }
    EXPECT_EQ(objects.back()["barcodes"].Items.size(), 1u);

    // A folder's walk passes the FIFO by, as before.
    folder.Add(Sample("ean13.png"), "label.png");
    const auto walk =
        RunProcess({"/usr/bin/timeout", "60", VELSCAN_PATH, "-r", folder.Path().string()});
    EXPECT_EQ(walk.ExitStatus, 0) << walk.Err;
    EXPECT_EQ(walk.Out, Ean13 + "\n");
}

TEST(VelscanPaths, NulSeparatedPathsMayHoldNewlines) {
    TTempFolder folder;
    const std::string odd = folder.Add(Sample("ean13.png"), "two\nlines\r.png");
    const std::string input = odd + '\0' + '\0' + Sample("code39.gif"); // the last NUL may lack
    for (const char* option : {"-0", "--null"}) {
        const auto run = Velscan({option, "--format=json", "-"}, input);
        EXPECT_EQ(run.ExitStatus, 0) << option << ": " << run.Err;
        EXPECT_EQ(JsonPaths(run.Out), (std::vector<std::string>{odd, Sample("code39.gif")}))
            << option;
    }
}

TEST(VelscanPaths, ALineHoldingANulByteIsAnErrorNotACutPath) {
    const std::string line = Sample("code39.gif") + '\0' + "rest";
    const std::string input = Sample("ean13.png") + "\n" + line + "\n";

    const auto json = Velscan({"--format=json", "-"}, input);
    EXPECT_EQ(json.ExitStatus, 2);
    const auto objects = JsonLines(json.Out);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1]["path"].String, line);
    EXPECT_NE(objects[1]["error"].String.find("NUL byte"), std::string::npos);
    EXPECT_FALSE(objects[1].Has("barcodes"));

    const auto text = Velscan({"-"}, input);
    EXPECT_EQ(text.ExitStatus, 2);
    EXPECT_EQ(text.Out, Ean13 + "\n");
    // Messages escape a path's control bytes as the text format does.
    EXPECT_TRUE(text.Err.starts_with("velscan: " + Sample("code39.gif") + "\\x00rest: "))
        << text.Err;
}

TEST(VelscanPaths, ControlBytesOfAPathAreEscapedInMessages) {
    const auto run = Velscan({"dir/a\tb\x1b[31m.png"});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_TRUE(run.Err.starts_with("velscan: dir/a\\tb\\x1b[31m.png: ")) << run.Err;
    EXPECT_EQ(run.Err.find('\x1b'), std::string::npos);
}

// `cat picture.png | velscan -` would read the picture's bytes as paths: it is one error
// that names --stdin-picture. A list whose first path merely starts like a signature ("BM")
// is still a list.
TEST(VelscanPaths, APicturePipedAsAPathListIsOneErrorNamingStdinPicture) {
    std::ifstream png(Sample("ean13.png"), std::ios::binary);
    const std::string picture((std::istreambuf_iterator<char>(png)), {});
    for (const char* option : {"-", "-0"}) {
        std::vector<std::string> args = {"-"};
        if (std::string(option) == "-0")
            args.insert(args.begin(), "-0");
        const auto run = Velscan(args, picture);
        EXPECT_EQ(run.ExitStatus, 2) << option;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(Lines(run.Err).size(), 1u) << run.Err;
        EXPECT_NE(run.Err.find("velscan: -: standard input holds a picture"), std::string::npos);
        EXPECT_NE(run.Err.find("--stdin-picture"), std::string::npos) << run.Err;
    }

    const auto list = Velscan({"-"}, "BMW/missing.png\n" + Sample("ean13.png") + "\n");
    EXPECT_EQ(list.ExitStatus, 2);
    EXPECT_EQ(list.Out, Ean13 + "\n");
    EXPECT_TRUE(list.Err.starts_with("velscan: BMW/missing.png: ")) << list.Err;
}

} // namespace
