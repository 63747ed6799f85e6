// velscan's output for shell users and its boxes: each barcode's box in JSON and XML, data
// escaped in text lines (raw as decoded), the path in front of each line, and --quiet.
#include "BarcodePictures.h"
#include "VelscanRun.h"
#include "Xml.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

// The smallest rectangle holding the points, as [left, top, width, height].
std::array<int, 4> Bounds(const std::vector<std::pair<int, int>>& points) {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const auto& [x, y] : points) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

TEST(VelscanOutput, BoxHoldsTheOutlineInJsonAndXml) {
    const std::vector<std::string> pictures = {Sample("multi.png"), Sample("code128.jpg")};
    auto args = pictures;
    args.insert(args.begin(), "--format=json");
    const auto json = JsonLines(Velscan(args).Out);
    args[0] = "--format=xml";
    const TXmlElement root = ParseXml(Velscan(args).Out);
    const auto xml = root.All("picture");
    ASSERT_EQ(json.size(), pictures.size());
    ASSERT_EQ(xml.size(), pictures.size());
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        const auto& barcodes = json[p]["barcodes"].Items;
        const auto elements = xml[p]->All("barcode");
        ASSERT_EQ(elements.size(), barcodes.size());
        ASSERT_FALSE(barcodes.empty());
        for (std::size_t b = 0; b < barcodes.size(); ++b) {
            std::vector<std::pair<int, int>> points;
            for (const auto& point : barcodes[b]["points"].Items)
                points.emplace_back(static_cast<int>(point[0].Number),
                                    static_cast<int>(point[1].Number));
            const auto expected = Bounds(points);
            const auto& box = barcodes[b]["box"].Items;
            ASSERT_EQ(box.size(), 4u);
            const auto* element = elements[b]->All("box").at(0);
            const std::array<std::string, 4> names = {"left", "top", "width", "height"};
            for (std::size_t i = 0; i < 4; ++i) {
                EXPECT_EQ(box[i].Number, expected[i]) << pictures[p] << ' ' << names[i];
                EXPECT_EQ(element->Attribute(names[i]), std::to_string(expected[i]))
                    << pictures[p] << ' ' << names[i];
            }
        }
        // "box" comes right after "points".
        const auto& fields = barcodes[0].Fields;
        const auto points = std::find_if(fields.begin(), fields.end(),
                                         [](const auto& field) { return field.Name == "points"; });
        ASSERT_NE(points + 1, fields.end());
        EXPECT_EQ((points + 1)->Name, "box");
    }
}

std::vector<std::pair<int, int>> Points(const TJson& barcode) {
    std::vector<std::pair<int, int>> points;
    for (const auto& point : barcode["points"].Items)
        points.emplace_back(static_cast<int>(point[0].Number), static_cast<int>(point[1].Number));
    return points;
}

// JSON and XML give an outline's hull, a few corners, where ZBar gives a linear code every
// place a scan line crossed it; --all-points gives those. A QR code's corners are its hull,
// in the same order. The box is the same either way, and --merge takes both.
TEST(VelscanOutput, PointsAreTheOutlinesHullUnlessAllAreAsked) {
    const std::vector<std::string> pictures = {Sample("ean13.png"), Sample("multi.png")};
    auto args = pictures;
    args.insert(args.begin(), "--format=json");
    const auto hullRun = Velscan(args);
    args.insert(args.begin(), "--all-points");
    const auto allRun = Velscan(args);
    const auto hulls = JsonLines(hullRun.Out), alls = JsonLines(allRun.Out);
    ASSERT_EQ(hulls.size(), 2u);
    ASSERT_EQ(alls.size(), 2u);
    const TJson& ean = hulls[0]["barcodes"].Items.at(0);
    const TJson& eanAll = alls[0]["barcodes"].Items.at(0);
    EXPECT_LE(Points(ean).size(), 8u);
    EXPECT_GT(Points(eanAll).size(), 20u);
    for (const auto& corner : Points(ean))
        EXPECT_NE(std::find(Points(eanAll).begin(), Points(eanAll).end(), corner),
                  Points(eanAll).end());
    EXPECT_EQ(Bounds(Points(ean)), Bounds(Points(eanAll)));
    for (const TJson& qr : {hulls[1]["barcodes"].Items.at(0), alls[1]["barcodes"].Items.at(0)}) {
        EXPECT_EQ(qr["symbology"].String, "QR-Code");
        EXPECT_EQ(Points(qr).size(), 4u);
    }
    EXPECT_EQ(Points(hulls[1]["barcodes"].Items.at(0)), Points(alls[1]["barcodes"].Items.at(0)));

    args[1] = "--format=xml";
    const TXmlElement root = ParseXml(Velscan(args).Out);
    EXPECT_EQ(root.All("picture").at(0)->All("barcode").at(0)->All("points").at(0)->Children.size(),
              Points(eanAll).size());

    const TTempFolder folder;
    const std::string hullFile = (folder.Path() / "hull.jsonl").string();
    const std::string allFile = (folder.Path() / "all.jsonl").string();
    std::ofstream(hullFile) << Lines(hullRun.Out)[0] << '\n';
    std::ofstream(allFile) << Lines(allRun.Out)[1] << '\n';
    const std::string merged = (folder.Path() / "merged.jsonl").string();
    const auto merge = Velscan({"--merge", merged, hullFile, allFile});
    EXPECT_EQ(merge.ExitStatus, 0) << merge.Err;
    std::ifstream in(merged);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(JsonPaths(text), pictures);
}

TEST(VelscanOutput, TextEscapesWhatWouldBreakTheLineAndRawDoesNot) {
    const TTempFolder folder;
    struct TCase {
        std::string Data;
        std::string Escaped;
    };
    const std::vector<TCase> cases = {
        {"line one\nline two", R"(line one\nline two)"},
        {R"(C:\dir\file)", R"(C:\\dir\\file)"},
        {std::string("nul\0byte", 8), R"(nul\x00byte)"},
        {"tab\there\r", R"(tab\there\r)"},
        {"esc\x1B del\x7F", R"(esc\x1b del\x7f)"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto file = folder.Path() / ("qr" + std::to_string(i) + ".png");
        SaveBarcodePicture(file, {BARCODE_QRCODE, cases[i].Data});
        const auto text = Velscan({file.string()});
        EXPECT_EQ(text.Out, "QR-Code:" + cases[i].Escaped + "\n") << cases[i].Escaped;
        const auto raw = Velscan({"--format", "raw", file.string()});
        EXPECT_EQ(raw.Out, cases[i].Data + "\n") << cases[i].Escaped;
    }
}

TEST(VelscanOutput, WithPathEachLineStartsWithThePicturesPath) {
    const TTempFolder folder;
    const std::string odd = folder.Add(Sample("ean13.png"), "new\nline\\name.png");
    const std::string oddShown = (folder.Path() / "new\\nline\\\\name.png").string();
    const std::string latin1 = folder.Add(Sample("ean13.png"), "caf\xE9.png"); // not UTF-8
    const std::string multi = Sample("multi.png");
    const std::vector<std::string> pictures = {odd, Missing, latin1, multi};
    struct TCase {
        std::vector<std::string> Options;
        std::vector<std::string> Lines;
    };
    const std::vector<TCase> cases = {
        {{"-p"},
         {oddShown + ":" + Ean13, latin1 + ":" + Ean13,
          multi + ":QR-Code:" + "Gr\xC3\xBC\xC3\x9F" +
              "e from Vel: https://example.org/vel?a=1&b=2",
          multi + ":I2/5:1234567895"}},
        {{"--with-path", "--format=raw"},
         {oddShown + ":9780201379624", latin1 + ":9780201379624",
          multi + ":Gr\xC3\xBC\xC3\x9F"
                  "e from Vel: https://example.org/vel?a=1&b=2",
          multi + ":1234567895"}},
    };
    for (const auto& c : cases) {
        auto args = c.Options;
        args.insert(args.end(), pictures.begin(), pictures.end());
        const auto run = Velscan(args);
        EXPECT_EQ(Lines(run.Out), c.Lines) << c.Options.back();
        // The message names the path once.
        EXPECT_EQ(run.Err,
                  "velscan: " + Missing + ": Cannot open the file: No such file or directory\n");
    }
}

TEST(VelscanOutput, QuietKeepsErrorsAndWarnings) {
    const TTempFolder folder;
    const auto run =
        Velscan({"-q", Sample("ean13.png"), Missing, Broken("blank.png"), folder.Path().string()});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_EQ(run.Out, Ean13 + "\n");
    EXPECT_NE(run.Err.find(Missing + ": Cannot open the file"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(folder.Path().string() + ": no pictures in this folder"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(run.Err.find("blank.png"), std::string::npos) << run.Err;
}

} // namespace
