// Annotated pictures (--annotate): the box drawn where the barcode is, one file per path even
// for equal base names, and a file that cannot be written costing a warning, not the result.
#include "BarcodePictures.h"
#include "VelscanRun.h"

#include <vel/host/PngImage.h>

#include <gtest/gtest.h>
#include <zint.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t BoxColour = 0xFFFF0000; // opaque red in the host's 32-bit layout

// The name velscan gives the annotated picture of a path.
std::string AnnotationName(const std::string& path) {
    std::string name;
    for (const char c : path)
        name += c == '/' ? "%2F" : c == '%' ? "%25" : std::string(1, c);
    return name + ".png";
}

TEST(VelscanAnnotate, DrawsTheBoxWhereTheBarcodeIs) {
    const TTempFolder folder;
    const fs::path picture = folder.Path() / "code%128.png";
    const TestPictures::TBox rendered =
        SaveBarcodePicture(picture, {BARCODE_CODE128, "Vel-note", 400, 200, 50, 80});
    const fs::path marked = folder.Path() / "marked" / "deeper";
    const auto run = Velscan({"--format=json", "--annotate", marked.string(), picture.string()});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const auto results = JsonLines(run.Out);
    const auto& box = results.at(0)["barcodes"][0]["box"].Items;
    const int left = static_cast<int>(box.at(0).Number), top = static_cast<int>(box.at(1).Number);
    const int right = left + static_cast<int>(box.at(2).Number) - 1;
    const int bottom = top + static_cast<int>(box.at(3).Number) - 1;
    EXPECT_TRUE(rendered.Contains(left, top) && rendered.Contains(right, bottom))
        << left << ',' << top << ',' << right << ',' << bottom;

    Host::TPngImage png;
    png.LoadFromFile(TestPictures::HostPath(marked / AnnotationName(picture.string())));
    ASSERT_EQ(png.Width(), 400);
    ASSERT_EQ(png.Height(), 200);
    for (int x = left; x <= right; ++x) {
        EXPECT_EQ(png.GetScanline(top)[x], BoxColour) << x;
        EXPECT_EQ(png.GetScanline(bottom)[x], BoxColour) << x;
    }
    for (int y = top; y <= bottom; ++y) {
        EXPECT_EQ(png.GetScanline(y)[left], BoxColour) << y;
        EXPECT_EQ(png.GetScanline(y)[right], BoxColour) << y;
    }
    // Away from the drawing the picture is as it was: white.
    EXPECT_EQ(png.GetScanline(195)[395], 0xFFFFFFFFu);
}

TEST(VelscanAnnotate, EqualBaseNamesInOtherFoldersGiveTwoFiles) {
    const TTempFolder folder;
    const std::string first = folder.Add(Sample("ean13.png"), "a/label.png");
    const std::string second = folder.Add(Sample("ean13.png"), "b/label.png");
    const fs::path marked = folder.Path() / "marked";
    const auto run = Velscan({"--annotate", marked.string(), first, second});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_TRUE(fs::is_regular_file(marked / AnnotationName(first)));
    EXPECT_TRUE(fs::is_regular_file(marked / AnnotationName(second)));
    EXPECT_EQ(std::distance(fs::directory_iterator(marked), fs::directory_iterator()), 2);
}

TEST(VelscanAnnotate, AFileThatCannotBeWrittenIsAWarningNotALostResult) {
    const TTempFolder folder;
    const fs::path marked = folder.Path() / "marked";
    // A folder in the way of the annotated picture's file, whoever runs the test.
    fs::create_directories(marked / AnnotationName(Sample("ean13.png")));
    const auto run = Velscan({"--format=json", "--annotate", marked.string(), Sample("ean13.png")});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    const auto result = JsonLines(run.Out).at(0);
    EXPECT_EQ(result["barcodes"].Items.size(), 1u);
    EXPECT_NE(result["warning"].String.find("cannot write the annotated picture"),
              std::string::npos)
        << result["warning"].String;
    EXPECT_NE(run.Err.find(": warning: cannot write the annotated picture"), std::string::npos)
        << run.Err;
}

// An annotated picture replaces the file of its name whole (a new file renamed over it): a
// hard link to the old file keeps the old bytes. A link another user planted in a shared
// sticky folder is not followed: its target is left as it is, and the picture is warned of.
TEST(VelscanAnnotate, FilesAreReplacedWholeAndPlantedLinksAreNotFollowed) {
    const TTempFolder folder;
    const fs::path marked = folder.Path() / "marked";
    fs::create_directories(marked);
    fs::permissions(marked, fs::perms::all | fs::perms::sticky_bit);
    const fs::path existing = marked / AnnotationName(Sample("ean13.png"));
    std::ofstream(existing) << "old";
    fs::create_hard_link(existing, folder.Path() / "kept");
    const fs::path victim = folder.Path() / "victim";
    std::ofstream(victim) << "the victim's bytes";
    const fs::path planted = marked / AnnotationName(Sample("upca.bmp"));
    fs::create_symlink(victim, planted);
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(lchown(planted.c_str(), 65534, static_cast<gid_t>(-1)), 0);
    }

    const auto run =
        Velscan({"--annotate", marked.string(), Sample("ean13.png"), Sample("upca.bmp")});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(FileBytes(folder.Path() / "kept"), "old");
    EXPECT_TRUE(FileBytes(existing).starts_with("\x89PNG"));
    if (!asRoot)
        return;
    EXPECT_EQ(FileBytes(victim), "the victim's bytes");
    EXPECT_TRUE(fs::is_symlink(planted));
    EXPECT_NE(run.Err.find("cannot write the annotated picture '" + planted.string() +
                           "': a symbolic link of another user in a shared sticky folder"),
              std::string::npos)
        << run.Err;
}

TEST(VelscanAnnotate, AFolderThatCannotBeMadeStopsTheRunNamingIt) {
    const TTempFolder folder;
    const std::string blocked = folder.Add(Sample("ean13.png"), "file.png") + "/marked";
    const auto run = Velscan({"--annotate", blocked, Sample("ean13.png")});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("cannot make the folder '" + blocked + "'"), std::string::npos)
        << run.Err;
}

} // namespace
