// A sweep of velscan over every sample and a table of generated pictures (each symbology that
// zint renders and ZBar reads, at small and large module sizes, pictures smaller than a label,
// barcodes touching each edge, many-page TIFF and GIF files) through every output option. A
// run fails on a crash, a sanitizer report or an exit status other than the one expected. The
// runs without isolation make a fault of velscan's own code a crash of velscan itself; the
// isolated runs must report no worker that crashed.
#include "PageFiles.h"
#include "VelscanRun.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

struct TSymbology {
    int Zint;
    std::string_view Data;
};

constexpr TSymbology Symbologies[] = {
    {BARCODE_EANX, "9780201379624"},
    {BARCODE_EANX, "9780201379624+51995"},
    {BARCODE_EANX, "96385074"},
    {BARCODE_UPCA, "72527273070"},
    {BARCODE_UPCE, "0123456"},
    {BARCODE_ISBNX, "9780201379624"},
    {BARCODE_CODE39, "VEL-39"},
    {BARCODE_CODE93, "VEL93"},
    {BARCODE_CODE128, "Vel-128 sweep"},
    {BARCODE_C25INTER, "12345678"},
    {BARCODE_CODABAR, "A40156B"},
    {BARCODE_DBAR_OMN, "0950110153001"},
    {BARCODE_DBAR_EXP, "[01]98898765432106"},
    {BARCODE_QRCODE, "hello"},
    {BARCODE_QRCODE, "\xC3\xA9t\xC3\xA9 \x01\x7F long enough to go past the label's twenty"},
};

constexpr int SmallModule = 1;
constexpr int LargeModule = 6;

// The part of the picture inside the box, edges included.
Support::TGrayImage Crop(const Support::TGrayImage& picture, int left, int top, int right,
                         int bottom) {
    Support::TGrayImage part{right - left + 1, bottom - top + 1, {}};
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            part.Pixels.push_back(picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x]);
    return part;
}

// The picture without the white around its dark pixels.
Support::TGrayImage CropToDark(const Support::TGrayImage& picture) {
    int left = picture.Width, top = picture.Height, right = -1, bottom = -1;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x] < 128) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    return Crop(picture, left, top, right, bottom);
}

// A white canvas with the picture at (x, y), cut where it leaves the canvas.
Support::TGrayImage Placed(const Support::TGrayImage& picture, int width, int height, int x,
                           int y) {
    Support::TGrayImage canvas{width, height, {}};
    canvas.Pixels.assign(static_cast<std::size_t>(width) * height, 255);
    for (int row = 0; row < picture.Height; ++row)
        for (int column = 0; column < picture.Width; ++column)
            if (x + column >= 0 && x + column < width && y + row >= 0 && y + row < height)
                canvas.Pixels[static_cast<std::size_t>(y + row) * width + x + column] =
                    picture.Pixels[static_cast<std::size_t>(row) * picture.Width + column];
    return canvas;
}

Support::TGrayImage White(int width, int height) {
    return {width, height,
            std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 255)};
}

// Every generated picture, as 8-bit gray PNM files (the host reads them as they are).
class TSweepPictures {
public:
    explicit TSweepPictures(const fs::path& folder) : FFolder(folder) {
        for (const auto& symbology : Symbologies)
            for (const int module : {SmallModule, LargeModule})
                Add(Support::RenderBarcode(symbology.Zint, symbology.Data, module, 0));
        AddSmallerThanALabel();
        AddAtEveryEdge();
        AddPageFiles();
    }

    const std::vector<std::string>& Paths() const { return FPaths; }

private:
    void Add(const Support::TGrayImage& picture) {
        const fs::path file = FFolder / ("picture-" + std::to_string(FPaths.size()) + ".pgm");
        std::ofstream out(file, std::ios::binary);
        out << "P5\n" << picture.Width << ' ' << picture.Height << "\n255\n";
        out.write(reinterpret_cast<const char*>(picture.Pixels.data()),
                  static_cast<std::streamsize>(picture.Pixels.size()));
        FPaths.push_back(file.string());
    }

    void AddFile(const std::string& name, const std::string& bytes) {
        std::ofstream(FFolder / name, std::ios::binary) << bytes;
        FPaths.push_back((FFolder / name).string());
    }

    // Codes whose label is wider than the picture, and pictures of a few pixels.
    void AddSmallerThanALabel() {
        const auto qr = Support::RenderBarcode(BARCODE_QRCODE, "hello", SmallModule, 0);
        Add(qr);
        Add(CropToDark(qr));
        Add(CropToDark(Support::RenderBarcode(BARCODE_QRCODE, "hello", 2, 0)));
        Add(CropToDark(Support::RenderBarcode(BARCODE_EANX, "96385074", SmallModule, 0)));
        for (const int side : {1, 2, 7})
            Add(White(side, side));
    }

    // Codes in each corner and across each edge, with and without their quiet zone.
    void AddAtEveryEdge() {
        for (const auto& code :
             {Support::RenderBarcode(BARCODE_QRCODE, "edge", 3, 0),
              CropToDark(Support::RenderBarcode(BARCODE_QRCODE, "edge", 3, 0)),
              CropToDark(Support::RenderBarcode(BARCODE_CODE128, "edge", 2, 0))}) {
            const int width = code.Width + 40, height = code.Height + 40;
            const int right = width - code.Width, bottom = height - code.Height;
            for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
                Add(Placed(code, width, height, x, y));
            for (const auto& [x, y] :
                 {std::pair{-8, 20}, {right + 8, 20}, {20, -8}, {20, bottom + 8}})
                Add(Placed(code, width, height, x, y));
        }
    }

    void AddPageFiles() {
        const std::vector<Support::TGrayImage> pages = {
            Support::RenderBarcode(BARCODE_QRCODE, "page one", SmallModule, 0),
            White(3, 3),
            Support::RenderBarcode(BARCODE_CODE128, "page three", LargeModule, 4),
            CropToDark(Support::RenderBarcode(BARCODE_QRCODE, "page four", 2, 0)),
            Support::RenderBarcode(BARCODE_EANX, "9780201379624", 2, 0),
        };
        AddFile("pages.tif", Support::MakeTiffPages(pages));
        AddFile("frames.gif", Support::MakeGifFrames(pages));
    }

    fs::path FFolder;
    std::vector<std::string> FPaths;
};

std::vector<std::string> SamplePaths() {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(VEL_SAMPLES_DIR))
        if (entry.path().extension() != ".sh")
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// An output option and its values; "DIR" stands for a new folder of annotated pictures.
struct TSweep {
    const char* Name;
    std::vector<std::string> Options;
};

void PrintTo(const TSweep& sweep, std::ostream* os) {
    *os << sweep.Name;
}

class VelscanSweep : public ::testing::TestWithParam<TSweep> {};

// Each run over every picture: without isolation, then with worker processes.
TEST_P(VelscanSweep, EveryPictureThroughTheOptionWithoutACrash) {
    const TTempFolder folder;
    const TSweepPictures generated(folder.Path());
    std::vector<std::string> pictures = SamplePaths();
    pictures.insert(pictures.end(), generated.Paths().begin(), generated.Paths().end());

    for (const bool isolated : {false, true}) {
        SCOPED_TRACE(isolated ? "worker processes" : "--no-isolation");
        std::vector<std::string> args = {"-j2", "-q"};
        if (!isolated)
            args.push_back("--no-isolation");
        for (const std::string& option : GetParam().Options)
            args.push_back(option == "DIR" ? (folder.Path() / "marked").string() : option);
        args.insert(args.end(), pictures.begin(), pictures.end());
        const auto run = Velscan(args);
        EXPECT_EQ(run.ExitStatus, 0) << run.Err;
        for (const std::string_view report : {"Sanitizer", "runtime error", "crashed while",
                                              "worker process ended", "cannot write"})
            EXPECT_FALSE(Contains(run.Err, report) || Contains(run.Out, report)) << report << '\n'
                                                                                 << run.Err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OutputOptions, VelscanSweep,
    ::testing::Values(
        TSweep{"Text", {"--format=text"}}, TSweep{"Raw", {"--format=raw"}},
        TSweep{"Json", {"--format=json"}}, TSweep{"Xml", {"--format=xml"}},
        TSweep{"WithPath", {"-p"}}, TSweep{"RawWithPath", {"-p", "--format=raw"}},
        TSweep{"Annotate", {"--annotate", "DIR"}},
        TSweep{"Rect", {"--format=json", "--rect", "3,3,40,40"}},
        TSweep{"AnnotateRect", {"--format=xml", "--annotate", "DIR", "--rect", "10,5,0,0"}},
        TSweep{"AnnotateRectPastEdges", {"-p", "--annotate", "DIR", "--rect", "0,0,5000,5000"}},
        TSweep{"ZbarXml", {"--xml"}}, TSweep{"AllPoints", {"--format=json", "--all-points"}},
        TSweep{"XmlAllPoints", {"--format=xml", "--all-points", "--rect", "2,2,0,0"}},
        TSweep{"OneShotFormats", {"-1", "--formats=-code39,qrcode,ean13,i25,datamatrix"}},
        TSweep{"Verbose", {"-v", "--format=json"}}),
    [](const ::testing::TestParamInfo<TSweep>& info) { return std::string(info.param.Name); });

} // namespace
