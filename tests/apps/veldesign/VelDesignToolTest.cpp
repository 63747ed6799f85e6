// veldesign as a person uses it, run as a process: the palette, then a form made, edited,
// saved, reopened and inspected.
#include "ToolRun.h"
#include "vel/host/Bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace VelDesignTest;

TEST_F(VelDesignTool, HelpShowsExamples) {
    const auto run = RunTool({"--help"});
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_NE(run.Out.find("Examples:"), std::string::npos);
    EXPECT_NE(run.Out.find("veldesign place"), std::string::npos);
    const auto unknown = RunTool({"frobnicate"});
    EXPECT_EQ(unknown.ExitStatus, 1);
    EXPECT_NE(unknown.Err.find("unknown command 'frobnicate'"), std::string::npos) << unknown.Err;
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
        {"glued", {"new", form, "--name=Glued", "--root=TGlued", "--force"}, "with Glued: TGlued"},
        {"long package glued",
         {"place", form, "TVel", "--package=" + package, "--name=Vel7"},
         "Placed Vel7: TVel"},
        {"short package glued", {"place", form, "TVel", "-p" + package}, "Placed Vel1: TVel"},
        {"negative number as a value",
         {"set", form, "Vel7", "Tag", "-5", "-p", package},
         "Vel7.Tag = -5\n"},
    };
    for (const auto& step : steps) {
        const auto run = RunTool(step.Args);
        EXPECT_EQ(run.ExitStatus, 0) << step.Name << ": " << run.Err;
        EXPECT_NE(run.Out.find(step.Shows), std::string::npos) << step.Name << ": " << run.Out;
    }
}

TEST_F(VelDesignTool, ListsThePaletteAndExportsGlyphs) {
    const auto run =
        RunTool({"palette", VELP_FILE, "--ascii", "--export", Path("glyphs"), "--format", "png"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_NE(run.Out.find("Halvane VEL Component"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Page Halvane\n  TVel"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("    ..##..##..####....##..####....####....##..##....\n"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(Contents(FDir / "glyphs" / "TVel.png").substr(1, 3), "PNG");

    const auto colour = RunTool({"palette", VELP_FILE, "--colour", "--export", Path("glyphs")});
    ASSERT_EQ(colour.ExitStatus, 0) << colour.Err;
    EXPECT_NE(colour.Out.find("\x1b[38;2;255;255;255m"), std::string::npos);
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
    };
    for (const auto& step : steps) {
        const auto run = RunTool(step);
        ASSERT_EQ(run.ExitStatus, 0) << step[0] << ": " << run.Err;
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

    const auto inspect = RunTool({"inspect", form, "Vel1", "-p", VELP_FILE});
    ASSERT_EQ(inspect.ExitStatus, 0) << inspect.Err;
    std::istringstream lines(inspect.Out);
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
        EXPECT_NE(inspect.Out.find(shown), std::string::npos) << shown << inspect.Out;

    const auto list = RunTool({"inspect", form, "-p", VELP_FILE});
    EXPECT_EQ(list.Out, "ScanForm: TScanForm\n  Vel1: TVel\n");
}

TEST_F(VelDesignTool, BadInputIsReportedAndChangesNothing) {
    const std::string form = Path("form.vfm");
    ASSERT_EQ(RunTool({"new", form}).ExitStatus, 0);
    ASSERT_EQ(RunTool({"place", form, "TVel", "-p", VELP_FILE}).ExitStatus, 0);
    const std::string before = Contents(form);

    const auto notNumber = RunTool({"set", form, "Vel1", "ScanTop", "ten", "-p", VELP_FILE});
    EXPECT_EQ(notNumber.ExitStatus, 1);
    EXPECT_NE(notNumber.Err.find("'ten' is not a valid value for ScanTop"), std::string::npos)
        << notNumber.Err;
    EXPECT_EQ(RunTool({"set", form, "Vel9", "Active", "True", "-p", VELP_FILE}).ExitStatus, 1);
    EXPECT_EQ(RunTool({"set", form, "Vel1", "Colour", "1", "-p", VELP_FILE}).ExitStatus, 1);
    const auto readOnly = RunTool({"set", form, "Vel1", "about", "mine", "-p", VELP_FILE});
    EXPECT_EQ(readOnly.ExitStatus, 1);
    EXPECT_EQ(readOnly.Err, "veldesign: TVel.About is read-only: a form never stores it\n");
    EXPECT_EQ(readOnly.Out, "");
    EXPECT_EQ(RunTool({"set", form, "Vel1", "OnBarcodeDetected", "Vel1 Found", "-p", VELP_FILE})
                  .ExitStatus,
              1);
    // A file that cannot be read is told apart from a refused value.
    EXPECT_EQ(
        RunTool({"set", form, "Vel1", "Picture", Path("missing.png"), "-p", VELP_FILE}).ExitStatus,
        2);
    EXPECT_EQ(Contents(form), before);

    std::ofstream(form, std::ios::app) << "garbage\n";
    const auto broken = RunTool({"inspect", form, "-p", VELP_FILE});
    EXPECT_EQ(broken.ExitStatus, 2);
    EXPECT_NE(broken.Err.find("form.vfm: Line 5: "), std::string::npos) << broken.Err;
}

TEST_F(VelDesignTool, EditsALinkedFormWhereTheLinkLeadsKeepingItsMode) {
    namespace fs = std::filesystem;
    const std::string form = Path("form.vfm");
    const std::string link = Path("link.vfm");
    ASSERT_EQ(RunTool({"new", form}).ExitStatus, 0);
    fs::permissions(form, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("form.vfm", link);

    const auto place = RunTool({"place", link, "TVel", "-p", VELP_FILE});
    ASSERT_EQ(place.ExitStatus, 0) << place.Err;

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(Contents(form).find("object Vel1: TVel"), std::string::npos) << Contents(form);
    EXPECT_EQ(fs::status(form).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 2);
}

TEST_F(VelDesignTool, ASaveThatFailsSaysWhy) {
    const std::string form = Path("missing/form.vfm");
    const auto run = RunTool({"new", form});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_EQ(run.Err,
              "veldesign: Cannot write form file \"" + form + "\": No such file or directory\n");
}

} // namespace
