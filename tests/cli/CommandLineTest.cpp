// Every command-line program run as a process, for what they share: --help and --version,
// usage errors that name the option at fault and exit 1, and the examples' exit statuses and
// option values apart or glued (velscan's and veldesign's are in their own tests).
#include "Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

struct TProgram {
    std::string Name;
    std::string Path;
    std::string ValuedOption; // an option of the program that takes a value
    bool Scans = true;        // a scanner's help lists status 4, "no barcode"; veldesign's not
};

const std::vector<TProgram> Programs = {
    {"velscan", VELSCAN_PATH, "--library"},
    {"scan_gray", SCAN_GRAY_PATH, "--library"},
    {"scan_picture", SCAN_PICTURE_PATH, "--library"},
#ifdef VELDESIGN_PATH
    {"veldesign", VELDESIGN_PATH, "--name", false},
#endif
};

TProcessResult RunProgram(const std::string& path, std::vector<std::string> args) {
    args.insert(args.begin(), path);
    return RunProcess(args);
}

TEST(CommandLine, EveryProgramShowsItsHelpAndVersion) {
    for (const auto& program : Programs) {
        const auto help = RunProgram(program.Path, {"--help"});
        EXPECT_EQ(help.ExitStatus, 0) << program.Name;
        EXPECT_TRUE(help.Out.starts_with("Usage: " + program.Name + " ")) << help.Out;
        for (const char* line :
             {"\n  0  ", "\n  1  usage error", "\n  2  some ", "\n  3  reserved", "'--opt=VALUE'"})
            EXPECT_NE(help.Out.find(line), std::string::npos) << program.Name << ": " << line;
        const bool listsNoBarcode =
            help.Out.find("\n  4  every picture was read and none") != std::string::npos;
        EXPECT_EQ(listsNoBarcode, program.Scans) << program.Name;

        const auto version = RunProgram(program.Path, {"--version"});
        EXPECT_EQ(version.ExitStatus, 0) << program.Name;
        // velscan names its engines on a second line (tested with velscan).
        EXPECT_TRUE(version.Out.starts_with(program.Name + " 4.5\n")) << version.Out;
        EXPECT_EQ(version.Err, "");
    }
}

TEST(CommandLine, UsageErrorsExitOneAndNameTheOptionInEveryProgram) {
    for (const auto& program : Programs) {
        const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
            {{"--frob", "x"}, "unknown option '--frob'"},
            {{"x", "-y"}, "unknown option '-y'"},
            {{"--version=2"}, "unknown option '--version=2'"},
            {{"x", program.ValuedOption}, "option " + program.ValuedOption + " needs a value"},
        };
        for (const auto& [args, message] : cases) {
            const auto run = RunProgram(program.Path, args);
            EXPECT_EQ(run.ExitStatus, 1) << program.Name << " " << args[0];
            EXPECT_EQ(run.Out, "");
            EXPECT_NE(run.Err.find(program.Name + ": " + message + "\n"), std::string::npos)
                << run.Err;
            EXPECT_NE(run.Err.find("Try '" + program.Name + " --help'"), std::string::npos);
        }
    }
}

// A white PGM picture in the test's temporary folder.
std::string BlankPgm() {
    const auto path = std::filesystem::path(testing::TempDir()) / "velcli-blank.pgm";
    std::ofstream(path, std::ios::binary) << "P5\n64 32\n255\n" << std::string(64 * 32, '\xFF');
    return path.string();
}

TEST(CommandLine, ExamplesExitAsEveryProgramDoes) {
    const std::string ean13Pgm = VEL_SAMPLES_DIR "/ean13.pgm";
    const std::string ean13Png = VEL_SAMPLES_DIR "/ean13.png";
    const std::string noZBar = "/nonexistent/libzbar.so.0";
    struct TCase {
        const char* Name;
        std::string Path;
        std::vector<std::string> Args;
        int Status;
        std::string Shows; // on standard output or error
    };
    const std::vector<TCase> cases = {
        {"gray: found", SCAN_GRAY_PATH, {ean13Pgm}, 0, "EAN-13:5901234123457\n"},
        {"gray: none found", SCAN_GRAY_PATH, {BlankPgm()}, 4, "no barcode found"},
        {"gray: missing file", SCAN_GRAY_PATH, {"/nonexistent/a.pgm"}, 2, "/nonexistent/a.pgm"},
        {"gray: not a PGM", SCAN_GRAY_PATH, {ean13Png}, 2, "not a binary PGM"},
        {"gray: no ZBar, value apart", SCAN_GRAY_PATH, {"--library", noZBar, ean13Pgm}, 1, noZBar},
        {"gray: no ZBar, value glued",
         SCAN_GRAY_PATH,
         {"--library=" + noZBar, ean13Pgm},
         1,
         noZBar},
        {"gray: ZBar named", SCAN_GRAY_PATH, {"--library=libzbar.so.0", ean13Pgm}, 0, "EAN-13:"},
        {"gray: two files", SCAN_GRAY_PATH, {ean13Pgm, ean13Pgm}, 1, "one file only"},
        {"picture: found", SCAN_PICTURE_PATH, {ean13Png}, 0, "EAN-13: 9780201379624"},
        {"picture: none found",
         SCAN_PICTURE_PATH,
         {VELSCAN_PICTURES_DIR "/blank.png"},
         4,
         "no barcode found"},
        {"picture: corrupt file",
         SCAN_PICTURE_PATH,
         {VELSCAN_PICTURES_DIR "/truncated.png"},
         2,
         "truncated.png"},
        {"picture: no ZBar, value apart",
         SCAN_PICTURE_PATH,
         {"--library", noZBar, ean13Png},
         1,
         noZBar},
        {"picture: no ZBar, value glued",
         SCAN_PICTURE_PATH,
         {"--library=" + noZBar, ean13Png},
         1,
         noZBar},
        {"picture: no file", SCAN_PICTURE_PATH, {}, 1, "no file given"},
    };
    for (const auto& c : cases) {
        const auto run = RunProgram(c.Path, c.Args);
        EXPECT_EQ(run.ExitStatus, c.Status) << c.Name << ": " << run.Err;
        EXPECT_NE((run.Out + run.Err).find(c.Shows), std::string::npos)
            << c.Name << ": " << run.Out << run.Err;
    }
}

} // namespace
