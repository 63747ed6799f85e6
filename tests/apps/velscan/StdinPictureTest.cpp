// A picture on standard input (--stdin-picture): read in worker processes and in velscan's own
// process, shown as "-", scanned before the paths, its temporary file removed at the end.
#include "BarcodePictures.h"
#include "VelscanRun.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

// Runs velscan with TMPDIR set to the folder, so that its temporary file can be looked for.
TProcessResult VelscanWithTmpdir(const fs::path& tmpdir, std::vector<std::string> args,
                                 const std::string& input) {
    args.insert(args.begin(), {"/usr/bin/env", "TMPDIR=" + tmpdir.string(), VELSCAN_PATH});
    return RunProcess(args, input);
}

TEST(VelscanStdinPicture, ReadsAPictureOfAnyKindWithAndWithoutWorkers) {
    const TTempFolder folder;
    const fs::path tmpdir = folder.Path() / "tmp";
    fs::create_directory(tmpdir);
    const std::string data = "stdin picture 1";
    const std::vector<std::pair<TestPictures::TFileKind, std::string>> kinds = {
        {TestPictures::TFileKind::Png, "in.png"}, {TestPictures::TFileKind::Bmp, "in.bmp"}};
    for (const auto& [kind, name] : kinds) {
        SaveBarcodePicture(folder.Path() / name, {BARCODE_QRCODE, data}, kind);
        const std::string bytes = FileBytes(folder.Path() / name);
        for (const bool isolation : {true, false}) {
            std::vector<std::string> args = {"--format=json", "--stdin-picture",
                                             Sample("ean13.png")};
            if (!isolation)
                args.push_back("--no-isolation");
            const auto run = VelscanWithTmpdir(tmpdir, args, bytes);
            EXPECT_EQ(run.ExitStatus, 0) << name << ' ' << isolation << run.Err;
            const auto lines = JsonLines(run.Out);
            ASSERT_EQ(lines.size(), 2u) << name << ' ' << isolation << run.Out;
            EXPECT_EQ(lines[0]["path"].String, "-");
            ASSERT_EQ(lines[0]["barcodes"].Items.size(), 1u) << name << ' ' << isolation;
            EXPECT_EQ(lines[0]["barcodes"][0]["data"].String, data);
            EXPECT_EQ(lines[1]["path"].String, Sample("ean13.png"));
            EXPECT_TRUE(fs::is_empty(tmpdir)) << "the temporary file is left";
        }
    }
}

TEST(VelscanStdinPicture, BadInputIsThePicturesError) {
    const TTempFolder folder;
    const fs::path& tmpdir = folder.Path();
    struct TCase {
        std::string Input;
        std::string Error;
    };
    const std::vector<TCase> cases = {
        {"", "velscan: -: standard input is empty: no picture to read\n"},
        {"not a picture", "velscan: -: Cannot load the picture: "},
    };
    for (const auto& c : cases) {
        const auto run = VelscanWithTmpdir(tmpdir, {"--stdin-picture"}, c.Input);
        EXPECT_EQ(run.ExitStatus, 2) << c.Input;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.substr(0, c.Error.size()), c.Error) << run.Err;
        EXPECT_TRUE(fs::is_empty(tmpdir)) << "the temporary file is left";
    }
}

// velscan reads the picture from a FIFO that stays open, so that it is still running when
// SIGTERM comes once its temporary file is there.
TEST(VelscanStdinPicture, TheTemporaryFileGoesWhenASignalEndsTheRun) {
    const TTempFolder folder;
    const fs::path tmpdir = folder.Path() / "tmp";
    fs::create_directory(tmpdir);
    const std::string script = R"sh(
        tmp=$1 fifo=$2 picture=$3 velscan=$4
        mkfifo "$fifo"
        TMPDIR=$tmp "$velscan" --stdin-picture < "$fifo" > /dev/null 2>&1 &
        pid=$!
        exec 3> "$fifo"
        cat "$picture" >&3
        i=0
        while [ -z "$(ls "$tmp")" ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i + 1)); done
        echo "files while reading: $(ls "$tmp" | wc -l)"
        kill -TERM $pid
        wait $pid
        echo "status $?, files after: $(ls "$tmp" | wc -l)"
    )sh";
    const auto run =
        RunProcess({"/bin/sh", "-c", script, "sh", tmpdir.string(),
                    (folder.Path() / "fifo").string(), Sample("ean13.png"), VELSCAN_PATH});
    EXPECT_EQ(run.Out, "files while reading: 1\nstatus 143, files after: 0\n") << run.Err;
}

TEST(VelscanStdinPicture, CannotShareStandardInputWithAPathList) {
    const auto run = Velscan({"--stdin-picture", "-"}, "");
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Err.find("--stdin-picture and the path '-' both read standard input"),
              std::string::npos)
        << run.Err;
}

} // namespace
