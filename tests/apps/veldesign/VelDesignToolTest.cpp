// veldesign as a person uses it, run as a process: the palette, then a form made, edited,
// saved, reopened and inspected.
#include "vel/host/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct TRun {
    int Status;
    std::string Output;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TRun RunTool(const std::vector<std::string>& args) {
    std::string command = Quote(VELDESIGN_FILE);
    for (const std::string& arg : args)
        command += " " + Quote(arg);
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class VelDesignTool : public testing::Test {
protected:
    void SetUp() override {
        FDir = std::filesystem::path(testing::TempDir()) /
               testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(FDir);
        std::filesystem::create_directories(FDir);
    }

    std::string Path(const char* name) const { return (FDir / name).string(); }

    std::filesystem::path FDir;
};

TEST_F(VelDesignTool, HelpShowsExamples) {
    const TRun run = RunTool({"--help"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Output.find("Examples:"), std::string::npos);
    EXPECT_NE(run.Output.find("veldesign place"), std::string::npos);
    const TRun unknown = RunTool({"frobnicate"});
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_NE(unknown.Output.find("unknown command 'frobnicate'"), std::string::npos)
        << unknown.Output;
}

TEST_F(VelDesignTool, TakesOptionValuesApartOrGlued) {
    const std::string form = Path("form.vfm");
    const std::string package = VELP_FILE;
    struct TStep {
        const char* Name;
        std::vector<std::string> Args;
        std::string Shows;
    };
    const std::vector<TStep> steps = {
        {"apart", {"new", form, "--name", "Apart", "--root", "TApart"}, "with Apart: TApart"},
        {"glued", {"new", form, "--name=Glued", "--root=TGlued"}, "with Glued: TGlued"},
        {"long package glued",
         {"place", form, "TVel", "--package=" + package, "--name=Vel7"},
         "Placed Vel7: TVel"},
        {"short package glued", {"place", form, "TVel", "-p" + package}, "Placed Vel1: TVel"},
        {"negative number as a value",
         {"set", form, "Vel7", "Tag", "-5", "-p", package},
         "Vel7.Tag = -5\n"},
    };
    for (const auto& step : steps) {
        const TRun run = RunTool(step.Args);
        EXPECT_EQ(run.Status, 0) << step.Name << ": " << run.Output;
        EXPECT_NE(run.Output.find(step.Shows), std::string::npos)
            << step.Name << ": " << run.Output;
    }
}

TEST_F(VelDesignTool, ListsThePaletteAndExportsGlyphs) {
    const TRun run =
        RunTool({"palette", VELP_FILE, "--ascii", "--export", Path("glyphs"), "--format", "png"});
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_NE(run.Output.find("Halvane VEL Component"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("Page Halvane\n  TVel"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("    ..##..##..####....##..####....####....##..##....\n"),
              std::string::npos)
        << run.Output;
    EXPECT_EQ(Contents(FDir / "glyphs" / "TVel.png").substr(1, 3), "PNG");

    const TRun colour = RunTool({"palette", VELP_FILE, "--colour", "--export", Path("glyphs")});
    ASSERT_EQ(colour.Status, 0) << colour.Output;
    EXPECT_NE(colour.Output.find("\x1b[38;2;255;255;255m"), std::string::npos);
    EXPECT_EQ(Contents(FDir / "glyphs" / "TVel.bmp").substr(0, 2), "BM");
}

TEST_F(VelDesignTool, PlacesSetsSavesReopensAndInspects) {
    const std::string form = Path("scanner.vfm");
    const std::string picture = Path("label.bmp");
    Host::TBitmap bitmap;
    bitmap.SetSize(6, 4);
    bitmap.SaveToFile(Host::FromAnsi(picture));

    const std::vector<std::vector<std::string>> steps = {
        {"new", form, "--root", "TScanForm", "--name", "ScanForm"},
        {"place", form, "TVel", "--package", VELP_FILE},
        {"set", form, "Vel1", "ScanLeft", "10", "-p", VELP_FILE},
        {"set", form, "Vel1", "ScanWidth", "-5", "-p", VELP_FILE},
        {"set", form, "Vel1", "Active", "true", "-p", VELP_FILE},
        {"set", form, "Vel1", "Picture", picture, "-p", VELP_FILE},
        {"set", form, "Vel1", "OnBarcodeDetected", "Vel1BarcodeDetected", "-p", VELP_FILE},
        {"set", form, "Vel1", "About", "mine", "-p", VELP_FILE},
    };
    for (const auto& step : steps) {
        const TRun run = RunTool(step);
        ASSERT_EQ(run.Status, 0) << step[0] << ": " << run.Output;
    }

    const std::string text = Contents(form);
    EXPECT_EQ(text.rfind("object ScanForm: TScanForm\n  object Vel1: TVel\n    Active = True\n"
                         "    Picture.Data = {\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("}\n    ScanLeft = 10\n    OnBarcodeDetected = Vel1BarcodeDetected\n"
                        "  end\nend\n"),
              std::string::npos)
        << text;

    const TRun inspect = RunTool({"inspect", form, "Vel1", "-p", VELP_FILE});
    ASSERT_EQ(inspect.Status, 0) << inspect.Output;
    std::istringstream lines(inspect.Output);
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0)
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "About", "Active", "Picture",
                                               "ScanLeft", "ScanHeight", "ScanTop", "ScanWidth",
                                               "OnBarcodeDetected"}));
    for (const char* shown : {"Name               Vel1\n", "About              Version 4.5, ",
                              "Active             True\n", "Picture            (TBitmap 6 x 4)\n",
                              "ScanLeft           10\n", "ScanWidth          0\n",
                              "OnBarcodeDetected  Vel1BarcodeDetected\n"})
        EXPECT_NE(inspect.Output.find(shown), std::string::npos) << shown << inspect.Output;

    const TRun list = RunTool({"inspect", form, "-p", VELP_FILE});
    EXPECT_EQ(list.Output, "ScanForm: TScanForm\n  Vel1: TVel\n");
}

TEST_F(VelDesignTool, BadInputIsReportedAndChangesNothing) {
    const std::string form = Path("form.vfm");
    ASSERT_EQ(RunTool({"new", form}).Status, 0);
    ASSERT_EQ(RunTool({"place", form, "TVel", "-p", VELP_FILE}).Status, 0);
    const std::string before = Contents(form);

    const TRun notNumber = RunTool({"set", form, "Vel1", "ScanTop", "ten", "-p", VELP_FILE});
    EXPECT_EQ(notNumber.Status, 1);
    EXPECT_NE(notNumber.Output.find("'ten' is not a valid value for ScanTop"), std::string::npos)
        << notNumber.Output;
    EXPECT_EQ(RunTool({"set", form, "Vel9", "Active", "True", "-p", VELP_FILE}).Status, 1);
    EXPECT_EQ(RunTool({"set", form, "Vel1", "Colour", "1", "-p", VELP_FILE}).Status, 1);
    EXPECT_EQ(
        RunTool({"set", form, "Vel1", "OnBarcodeDetected", "Vel1 Found", "-p", VELP_FILE}).Status,
        1);
    // A file that cannot be read is told apart from a refused value.
    EXPECT_EQ(
        RunTool({"set", form, "Vel1", "Picture", Path("missing.png"), "-p", VELP_FILE}).Status, 2);
    EXPECT_EQ(Contents(form), before);

    std::ofstream(form, std::ios::app) << "garbage\n";
    const TRun broken = RunTool({"inspect", form, "-p", VELP_FILE});
    EXPECT_EQ(broken.Status, 2);
    EXPECT_NE(broken.Output.find("form.vfm: Line 5: "), std::string::npos) << broken.Output;
}

} // namespace
