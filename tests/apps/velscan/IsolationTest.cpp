// velscan's worker processes and memory budget, run as a process with the real ZBar and with
// the fake ZBar told (through its environment variables) to crash, hang or take its time.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace VelScanTest;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(VelscanIsolation, WorkerProcessesGiveTheSameOutputAsThreads) {
    std::vector<std::string> args = {"-j2",
                                     Sample("ean13.png"),
                                     Sample("multi.png"),
                                     Broken("truncated.png"),
                                     Missing,
                                     Sample("qrcode.webp"),
                                     Broken("qr-binary.png"),
                                     Sample("databar.tif"),
                                     Broken("huge.png")};
    for (const std::string format : {"--format=json", "--format=xml", "--format=text"}) {
        auto formatArgs = args;
        formatArgs.insert(formatArgs.begin(), format);
        const auto isolated = Velscan(formatArgs);
        formatArgs.insert(formatArgs.begin(), "--no-isolation");
        const auto threads = Velscan(formatArgs);
        EXPECT_EQ(isolated.Out, threads.Out) << format;
        EXPECT_EQ(isolated.Err, threads.Err) << format;
        EXPECT_EQ(isolated.ExitStatus, 2) << format;
        EXPECT_EQ(threads.ExitStatus, 2) << format;
    }
}

TEST(VelscanIsolation, BatchSurvivesAPictureThatCrashesZBarAndOneThatHangs) {
    // With the fake ZBar, code128.jpg (1496 pixels wide) crashes it and multi.png (698) hangs.
    const TEnvironment environment(
        {{"FAKEZBAR_CRASH_WIDTH", "1496"}, {"FAKEZBAR_HANG_WIDTH", "698"}});
    const std::vector<std::string> pictures = {
        Sample("ean13.png"),   Sample("code128.jpg"), Sample("ean8-label.jpg"), Sample("multi.png"),
        Sample("qrcode.webp"), Sample("code128.jpg"), Sample("code39.gif"),     Missing,
        Sample("upca.bmp")};
    std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "--timeout",
                                     "1.5",       "-j2",         "--format=json"};
    args.insert(args.end(), pictures.begin(), pictures.end());
    const auto run = Velscan(args);
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), pictures.size()) << run.Out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const TJson& object = objects[i];
        EXPECT_EQ(object["path"].String, pictures[i]);
        if (pictures[i] == pictures[1]) {
            EXPECT_EQ(object["error"].String,
                      "crashed while reading or scanning the picture: signal 11 (Segmentation "
                      "fault)");
        } else if (pictures[i] == pictures[3]) {
            EXPECT_EQ(object["error"].String,
                      "took longer than the time limit of 1.5 s (--timeout)");
        } else if (pictures[i] != Missing) {
            EXPECT_FALSE(object.Has("error")) << pictures[i];
            EXPECT_GT(object["width"].Number, 0) << pictures[i];
        }
    }

    // The text formats report the same on standard error, each naming its path.
    args[5] = "--format=text";
    const auto text = Velscan(args);
    EXPECT_EQ(text.ExitStatus, 2);
    const auto errors = Lines(text.Err);
    ASSERT_EQ(errors.size(), 4u) << text.Err;
    EXPECT_TRUE(errors[0].starts_with("velscan: " + pictures[1] + ": crashed")) << errors[0];
    EXPECT_TRUE(errors[1].starts_with("velscan: " + pictures[3] + ": took longer")) << errors[1];
    EXPECT_TRUE(errors[2].starts_with("velscan: " + pictures[5] + ": crashed")) << errors[2];
    EXPECT_TRUE(errors[3].starts_with("velscan: " + Missing + ": ")) << errors[3];
}

TEST(VelscanIsolation, AnAbortCostsOnlyItsPictureAsACrashDoes) {
    // A failed assertion aborts (SIGABRT), as zxing-cpp 1.4 as Debian builds it does on some
    // DataBar and Code 128 pictures; with the fake ZBar, code39.gif (596 pixels wide) aborts.
    const TEnvironment environment({{"FAKEZBAR_ABORT_WIDTH", "596"}});
    const std::vector<std::string> pictures = {Sample("ean13.png"), Sample("code39.gif"),
                                               Sample("qrcode.webp"), Sample("code39.gif"),
                                               Sample("upca.bmp")};
    std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "-j2", "--format=json"};
    args.insert(args.end(), pictures.begin(), pictures.end());
    const auto run = Velscan(args);
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), pictures.size()) << run.Out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(objects[i]["path"].String, pictures[i]);
        if (pictures[i] == pictures[1])
            EXPECT_EQ(objects[i]["error"].String,
                      "crashed while reading or scanning the picture: signal 6 (Aborted)");
        else
            EXPECT_GT(objects[i]["width"].Number, 0) << pictures[i];
    }
}

// The fake's scans of the two large pictures (2000 and 2002 pixels wide) as it tells them
// on standard error; whether they overlapped.
bool LargeScansOverlap(const std::string& err) {
    int scanning = 0;
    bool overlapped = false;
    for (const auto& line : Lines(err)) {
        if (line == "fakezbar: begin 2000" || line == "fakezbar: begin 2002")
            overlapped |= ++scanning > 1;
        else if (line == "fakezbar: end 2000" || line == "fakezbar: end 2002")
            --scanning;
    }
    return overlapped;
}

TEST(VelscanIsolation, MemoryBudgetKeepsLargePicturesApartAndRefusesOneTooLarge) {
    // Each large picture needs about 16 MiB, the one over budget about 48 MiB.
    const TEnvironment environment({{"FAKEZBAR_SCAN_MS", "400"}});
    const std::vector<std::string> pictures = {Broken("large-a.png"), Broken("large-b.png"),
                                               Broken("over-budget.png"), Broken("large-a.png")};
    for (const bool isolated : {true, false}) {
        std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "--effort=fast", "-j2",
                                         "--format=json"};
        if (!isolated)
            args.push_back("--no-isolation");
        args.insert(args.end(), pictures.begin(), pictures.end());

        // Room for both at once: the two workers scan them together.
        auto roomy = args;
        roomy.push_back("--memory-budget=1G");
        const auto together = Velscan(roomy);
        EXPECT_TRUE(LargeScansOverlap(together.Err)) << together.Err;

        auto tight = args;
        tight.push_back("--memory-budget=24M");
        const auto run = Velscan(tight);
        EXPECT_FALSE(LargeScansOverlap(run.Err)) << run.Err;
        EXPECT_EQ(run.ExitStatus, 2);
        const auto objects = JsonLines(run.Out);
        ASSERT_EQ(objects.size(), pictures.size());
        EXPECT_EQ(objects[2]["path"].String, pictures[2]);
        EXPECT_EQ(objects[2]["error"].String,
                  "picture of 3000 x 3000 pixels needs about 48 MiB to read and scan, more than "
                  "the memory budget of 24 MiB (--memory-budget)");
        for (const std::size_t i : {0u, 1u, 3u})
            EXPECT_EQ(objects[i]["width"].Number, i == 1 ? 2002 : 2000) << isolated;
    }
}

TEST(VelscanIsolation, BadLimitsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--timeout", "-1"},      {"--timeout", "soon"},      {"--timeout=1e7"},
        {"--memory-budget", "0"}, {"--memory-budget", "12X"}, {"--memory-budget=99999999999T"},
        {"--no-isolation=yes"},
    };
    for (const auto& args : cases) {
        auto withPicture = args;
        withPicture.push_back(Sample("ean13.png"));
        const auto run = Velscan(withPicture);
        EXPECT_EQ(run.ExitStatus, 1) << args.back();
        EXPECT_TRUE(Contains(run.Err, args.back().substr(args.back().find('=') + 1))) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
}

} // namespace
