// The walk-throughs people follow, run as written: the README's veldesign commands and the
// examples veldesign --help shows. Each line runs in a shell in a folder laid out like the
// source folder after a build (build/bin, build/lib, examples/), with build/bin on PATH.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace VelDesignTest;
namespace fs = std::filesystem;

// The lines of text after the first line holding `after` that start with `indent` and a
// word, up to the first line that does not start with `indent`.
std::vector<std::string> IndentedBlock(const std::string& text, const std::string& after,
                                       const std::string& indent) {
    std::istringstream lines(text.substr(text.find(after)));
    std::vector<std::string> block;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(indent) && line.size() > indent.size() && line[indent.size()] != ' ')
            block.push_back(line.substr(indent.size()));
        else if (!block.empty())
            break;
    }
    return block;
}

class VelDesignWalkThrough : public VelDesignTool {
protected:
    void SetUp() override {
        fs::create_directory(FDir / "build");
        fs::create_directory_symlink(fs::path(VELDESIGN_FILE).parent_path(), FDir / "build/bin");
        fs::create_directory_symlink(fs::path(VELP_FILE).parent_path(), FDir / "build/lib");
        fs::create_directory_symlink(VEL_SOURCE_DIR "/examples", FDir / "examples");
    }

    // Runs each line as written, in order, and expects each to succeed.
    void RunAsWritten(const std::vector<std::string>& lines) const {
        for (const std::string& line : lines) {
            const auto run = VelScanTest::RunProcess(
                {"/bin/sh", "-c",
                 "cd '" + FDir.string() + "' && export PATH=$PWD/build/bin:$PATH && " + line});
            EXPECT_EQ(run.ExitStatus, 0) << line << "\n" << run.Err;
        }
    }
};

TEST_F(VelDesignWalkThrough, ReadmeCommandsRunAsWritten) {
    const auto lines = IndentedBlock(Contents(VEL_SOURCE_DIR "/README.md"),
                                     "`veldesign` is the command-line designer", "    ");
    ASSERT_GE(lines.size(), 6u);
    for (const std::string& line : lines)
        EXPECT_TRUE(line.starts_with("veldesign ")) << line;
    RunAsWritten(lines);
    const std::string form = Contents(FDir / "scanner.vfm");
    EXPECT_NE(form.find("    Picture.Data = {\n      0954506E67496D616765"), std::string::npos)
        << form; // a TPngImage
    EXPECT_NE(form.find("    OnBarcodeDetected = Vel1BarcodeDetected\n"), std::string::npos);
    EXPECT_NE(Contents(FDir / "ScanForm.cpp").find("void Vel1BarcodeDetected("), std::string::npos);
}

TEST_F(VelDesignWalkThrough, HelpExamplesRunAsWritten) {
    const auto lines = IndentedBlock(RunTool({"--help"}).Out, "\nExamples:\n", "  ");
    ASSERT_GE(lines.size(), 6u);
    RunAsWritten(lines);
    const std::string form = Contents(FDir / "scanner.vfm");
    EXPECT_NE(form.find("    Active = True\n    Picture.Data = {"), std::string::npos) << form;
    EXPECT_TRUE(fs::exists(FDir / "glyphs/TVel.png"));
    EXPECT_NE(Contents(FDir / "ScanForm.cpp").find("class TScanForm "), std::string::npos);
}

} // namespace
