// Batches split across runs: shards that together scan every picture once, a run resumed
// after a kill, a cut file repaired, and shards' files merged into what one run writes.
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "VelscanRun.h"
#include "vel/formats/JsonEntry.h"

#include <zint.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A test's folder with generated pictures (binary PGM, EAN-13 and QR codes) in Folder(), their
// names including bytes that are not UTF-8 and a subfolder; results go beside Folder().
class TPictureFolder : public TTempFolder {
public:
    explicit TPictureFolder(int count) {
        fs::create_directories(Path() / "pictures" / "sub");
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(100000000000 + i);
            const auto picture = i % 2 ? Support::RenderBarcode(BARCODE_QRCODE, "item " + number)
                                       : Support::RenderBarcode(BARCODE_EANX, number);
            const std::string name = (i % 5 == 0   ? "sub/"
                                      : i % 7 == 0 ? "\xff\xfe-"
                                                   : "") +
                                     number + ".pgm";
            std::ofstream out(Path() / "pictures" / name, std::ios::binary);
            out << "P5\n" << picture.Width << ' ' << picture.Height << "\n255\n";
            out.write(reinterpret_cast<const char*>(picture.Pixels.data()),
                      static_cast<std::streamsize>(picture.Pixels.size()));
        }
    }
    std::string Folder() const { return (Path() / "pictures").string(); }
};

// One run over the whole folder, the output every split run must come to.
std::string SingleRun(const std::string& folder) {
    const auto run = Velscan({"-r", "--format=json", folder});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    return run.Out;
}

// The exact path of every entry of a JSON Lines text.
std::vector<std::string> EntryPaths(const std::string& text) {
    std::vector<std::string> paths;
    for (const auto& line : Lines(text)) {
        const auto entry = VelFormats::ReadJsonEntry(line);
        EXPECT_TRUE(entry) << line;
        if (entry)
            paths.push_back(entry->Path);
    }
    return paths;
}

TEST(VelscanBatches, ShardsScanEveryPictureOnceAndMergeIntoTheSingleRun) {
    TPictureFolder pictures(24);
    const std::string single = SingleRun(pictures.Folder());
    const TTempFolder& results = pictures;
    std::vector<std::string> mergeArgs = {"--merge", (results.Path() / "all.jsonl").string()};
    std::multiset<std::string> scanned;
    for (const char* shard : {"1/3", "2/3", "3/3"}) {
        const auto run = Velscan({"-r", "--format=json", "--shard", shard, pictures.Folder()});
        EXPECT_NE(run.ExitStatus, 1) << shard << ": " << run.Err;
        EXPECT_FALSE(run.Out.empty()) << shard;
        for (const auto& path : EntryPaths(run.Out))
            scanned.insert(path);
        const fs::path part = results.Path() / (std::string(1, shard[0]) + ".jsonl");
        WriteFile(part, run.Out);
        mergeArgs.push_back(part.string());
    }
    const auto paths = EntryPaths(single);
    EXPECT_EQ(scanned, std::multiset<std::string>(paths.begin(), paths.end()));

    const auto merge = Velscan(mergeArgs);
    EXPECT_EQ(merge.ExitStatus, 0) << merge.Err;
    EXPECT_EQ(ReadFile(results.Path() / "all.jsonl"), single);
}

TEST(VelscanBatches, MergeReportsDuplicatesAndMissingPictures) {
    TPictureFolder pictures(6);
    const auto lines = Lines(SingleRun(pictures.Folder()));
    const TTempFolder& results = pictures;
    const fs::path a = results.Path() / "a.jsonl", b = results.Path() / "b.jsonl";
    WriteFile(a, lines[0] + '\n' + lines[1] + '\n');
    WriteFile(b, lines[1] + '\n' + lines[2] + '\n');
    WriteFile(results.Path() / "expected", pictures.Folder() + '\n');
    const fs::path out = results.Path() / "out.jsonl";

    const auto merge = Velscan({"-r", "--merge", out.string(), a.string(), b.string(), "--expect",
                                (results.Path() / "expected").string()});
    EXPECT_EQ(merge.ExitStatus, 2);
    EXPECT_EQ(ReadFile(out), lines[0] + '\n' + lines[1] + '\n' + lines[2] + '\n');
    const std::string twice =
        "entered twice, in " + a.string() + " (line 2, kept) and " + b.string() + " (line 1)";
    EXPECT_NE(merge.Err.find(twice), std::string::npos) << merge.Err;
    const auto missing = EntryPaths(lines[3] + '\n' + lines[4] + '\n' + lines[5] + '\n');
    for (const auto& path : missing)
        EXPECT_NE(merge.Err.find(path + ": missing"), std::string::npos) << path << merge.Err;
}

// --expect names a folder whose pictures are in subfolders, without -r: nothing can be
// checked, which is said and fails the merge rather than passing it.
TEST(VelscanBatches, MergeSaysWhenAnExpectedFolderGivesNothingToCheck) {
    TPictureFolder pictures(1); // its one picture is in pictures/sub
    const TTempFolder& results = pictures;
    const fs::path all = results.Path() / "all.jsonl";
    WriteFile(all, SingleRun(pictures.Folder()));
    WriteFile(results.Path() / "expected", pictures.Folder() + '\n');

    const auto merge = Velscan({"--merge", (results.Path() / "out.jsonl").string(), all.string(),
                                "--expect", (results.Path() / "expected").string()});
    EXPECT_EQ(merge.ExitStatus, 2);
    EXPECT_NE(merge.Err.find("1 subfolder: give -r"), std::string::npos) << merge.Err;
    EXPECT_NE(merge.Err.find("nothing was checked for it"), std::string::npos) << merge.Err;
}

// --merge OUT replaces OUT whole, but never through a link another user planted in a shared
// sticky folder: the run stops naming OUT, and the link's target is left as it is.
TEST(VelscanBatches, MergeRefusesALinkPlantedInAStickyFolder) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    TPictureFolder pictures(2);
    const TTempFolder& results = pictures;
    const fs::path part = results.Path() / "part.jsonl";
    WriteFile(part, SingleRun(pictures.Folder()));
    const fs::path shared = results.Path() / "shared", victim = results.Path() / "victim";
    fs::create_directories(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    WriteFile(victim, "the victim's bytes");
    const fs::path out = shared / "all.jsonl";
    fs::create_symlink(victim, out);
    ASSERT_EQ(lchown(out.c_str(), 65534, static_cast<gid_t>(-1)), 0);

    const auto merge = Velscan({"--merge", out.string(), part.string()});
    EXPECT_EQ(merge.ExitStatus, 1);
    EXPECT_NE(merge.Err.find("cannot write " + out.string() +
                             ": a symbolic link of another user in a shared sticky folder"),
              std::string::npos)
        << merge.Err;
    EXPECT_EQ(ReadFile(victim), "the victim's bytes");
    EXPECT_TRUE(fs::is_symlink(out));
}

// Starts velscan without waiting for it.
pid_t StartVelscan(const std::vector<std::string>& args) {
    std::vector<std::string> all = {VELSCAN_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv = ExecArguments(all);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, VELSCAN_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

TEST(VelscanBatches, ARunKilledAtRandomResumesToEveryPictureOnce) {
    TPictureFolder pictures(60);
    const std::string single = SingleRun(pictures.Folder());
    const TTempFolder& results = pictures;
    const std::string file = (results.Path() / "run.jsonl").string();
    const std::vector<std::string> args = {"-r",       "-j2", "--format=json",
                                           "--resume", file,  pictures.Folder()};
    std::mt19937 random(std::random_device{}());
    for (int kill = 0; kill < 3; ++kill) {
        const pid_t pid = StartVelscan(args);
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::uniform_int_distribution<int>(10, 150)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    const auto resumed = Velscan(args);
    EXPECT_EQ(resumed.ExitStatus, 0) << resumed.Err;
    EXPECT_EQ(ReadFile(file), single);
}

TEST(VelscanBatches, ResumeRepairsTheFileEndAndStopsAtACorruptLine) {
    TPictureFolder pictures(4);
    const std::string single = SingleRun(pictures.Folder());
    const auto lines = Lines(single);
    const TTempFolder& results = pictures;
    const fs::path file = results.Path() / "run.jsonl";
    const std::vector<std::string> args = {"-r", "--format=json", "--resume", file.string(),
                                           pictures.Folder()};

    WriteFile(file, lines[0] + '\n' + lines[1].substr(0, lines[1].size() / 2));
    const auto repaired = Velscan(args);
    EXPECT_EQ(repaired.ExitStatus, 0) << repaired.Err;
    EXPECT_EQ(ReadFile(file), single);
    EXPECT_NE(repaired.Err.find("removed its cut last line"), std::string::npos) << repaired.Err;

    // A picture of several pages is done once each page has its entry; a last picture that
    // lacks pages loses its entries and is scanned again.
    const std::string firstPageOnly = R"({"path":)" + lines[1].substr(8, lines[1].find(',') - 8) +
                                      R"(,"page":1,"pages":2,"width":1,"height":1,"barcodes":[]})";
    WriteFile(file, lines[0] + '\n' + firstPageOnly + '\n');
    const auto pagesRedone = Velscan(args);
    EXPECT_EQ(pagesRedone.ExitStatus, 0) << pagesRedone.Err;
    EXPECT_NE(pagesRedone.Err.find("its last picture, which lacks pages"), std::string::npos)
        << pagesRedone.Err;
    EXPECT_EQ(ReadFile(file), single);

    const std::string corrupt = lines[0] + '\n' + "{\"path\":\n" + lines[1] + '\n';
    WriteFile(file, corrupt);
    const auto stopped = Velscan(args);
    EXPECT_EQ(stopped.ExitStatus, 1);
    EXPECT_NE(stopped.Err.find(file.string() + ": line 2 is not a velscan JSON entry"),
              std::string::npos)
        << stopped.Err;
    EXPECT_EQ(ReadFile(file), corrupt);
}

// A file that is not velscan's entries is refused and left as it is: only a last line that
// begins as an entry was cut while velscan wrote it.
TEST(VelscanBatches, ResumeRefusesAFileThatIsNotVelscansUnchanged) {
    const TTempFolder folder;
    const std::string entry = Lines(SingleRun(Sample("ean13.png"))).at(0) + '\n';
    const fs::path file = folder.Path() / "run.jsonl";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"important-config-value\n", "line 1 is not a velscan JSON entry"},
        {std::string(8 << 20, 'x'), "its last line (1) is neither"},
        {entry + "important-config-value", "its last line (2) is neither"},
        {entry + "{\"path\":\"a.png\",\n", "line 2 is not a velscan JSON entry"},
        {"[1, 2]\n" + entry, "line 1 is not a velscan JSON entry"},
    };
    for (const auto& [content, message] : cases) {
        WriteFile(file, content);
        const auto run = Velscan({"--format=json", "--resume", file.string(), Sample("ean13.png")});
        EXPECT_EQ(run.ExitStatus, 1) << message;
        EXPECT_NE(run.Err.find("--resume " + file.string() + ": " + message), std::string::npos)
            << run.Err;
        EXPECT_TRUE(ReadFile(file) == content) << message;
    }
}

// A symbolic link is not followed, wherever it leads: the file it names is left as it is.
TEST(VelscanBatches, ResumeRefusesASymbolicLink) {
    const TTempFolder folder;
    const fs::path target = folder.Path() / "settings", link = folder.Path() / "run.jsonl";
    const std::string content = "{\"path\":\"looks like a cut entry";
    WriteFile(target, content);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink(target, link);
    const auto run = Velscan({"--format=json", "--resume", link.string(), Sample("ean13.png")});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Err.find("--resume " + link.string() + ": it is a symbolic link"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_TRUE(fs::is_symlink(link));
}

// With --pages, a picture is done once each page the run scans has its entry: resuming a
// finished run scans nothing again.
TEST(VelscanBatches, AResumedRunOfChosenPagesRedoesNoPicture) {
    const TTempFolder folder;
    const auto code = Support::RenderBarcode(BARCODE_CODE128, "page");
    std::vector<std::string> args = {"--format=json", "--pages", "2-", "--resume",
                                     (folder.Path() / "run.jsonl").string()};
    for (const char* name : {"a.tif", "b.tif"}) {
        WriteFile(folder.Path() / name, Support::MakeTiffPages({code, code, code}));
        args.push_back((folder.Path() / name).string());
    }
    EXPECT_EQ(Velscan(args).ExitStatus, 0);
    const std::string written = ReadFile(folder.Path() / "run.jsonl");
    EXPECT_EQ(Lines(written).size(), 4u) << written;
    const auto again = Velscan(args);
    EXPECT_EQ(again.ExitStatus, 0) << again.Err;
    EXPECT_EQ(ReadFile(folder.Path() / "run.jsonl"), written);
}

TEST(VelscanBatches, ThreeShardsThroughGnuParallelMergeIntoTheSingleRun) {
    if (std::system("command -v parallel > /dev/null") != 0)
        GTEST_SKIP() << "GNU parallel is not installed (scripts/setup.sh installs parallel)";
    TPictureFolder pictures(30);
    const std::string single = SingleRun(pictures.Folder());
    const TTempFolder& results = pictures;
    const std::string out = (results.Path() / "shard").string();
    // parallel's status counts the jobs whose status was not 0, as a shard without a barcode.
    const std::string shardCommand = VELSCAN_PATH +
                                     std::string(" -r -j1 --format=json --shard "
                                                 "{}/3 ") +
                                     pictures.Folder() + " > " + out + "{}.jsonl";
    const auto shards =
        RunProcess({"/usr/bin/env", "parallel", shardCommand, ":::", "1", "2", "3"});
    const std::string merged = (results.Path() / "merged.jsonl").string();
    const auto merge =
        Velscan({"--merge", merged, out + "1.jsonl", out + "2.jsonl", out + "3.jsonl"});
    EXPECT_EQ(merge.ExitStatus, 0) << merge.Err << shards.Err;
    EXPECT_EQ(ReadFile(merged), single);
}

} // namespace
