// velscan run as a process on the bundled sample pictures and a few broken ones: formats,
// order, exit statuses, bad input, configuration texts, standard input, folders, rectangles.
#include "VelscanRun.h"
#include "Xml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

const std::string Code128Data = R"(Vel 4.5 <scanner> & "friends")";
const std::string QrData = "Gr\xC3\xBC\xC3\x9F"
                           "e from Vel: https://example.org/vel?a=1&b=2";

TEST(Velscan, FindsTheBarcodesOfEveryBundledSample) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> samples = {
        {"ean13.png", {Ean13}},
        {"code128.jpg", {"CODE-128:" + Code128Data}},
        {"qrcode.webp", {"QR-Code:" + QrData}},
        {"upca.bmp", {"EAN-13:0036000291452"}},
        {"code39.gif", {"CODE-39:VEL-2026"}},
        {"databar.tif", {"DataBar-Exp:0198898765432106320201234515991231"}},
        {"ean8-label.jpg", {"EAN-8:96385074"}},
        {"multi.png", {"QR-Code:" + QrData, "I2/5:1234567895"}},
    };
    std::vector<std::string> args, expected;
    for (const auto& [name, lines] : samples) {
        args.push_back(Sample(name));
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    const auto run = Velscan(args);
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(Lines(run.Out), expected);
}

TEST(Velscan, TextAndRawFormatsPrintOneLinePerBarcode) {
    const std::vector<std::string> pictures = {Sample("ean13.png"), Sample("code128.jpg"),
                                               Broken("blank.png"), Sample("qrcode.webp")};
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"text", Ean13 + "\nCODE-128:" + Code128Data + "\nQR-Code:" + QrData + "\n"},
        {"raw", "9780201379624\n" + Code128Data + "\n" + QrData + "\n"},
    };
    for (const auto& [format, expected] : cases) {
        auto args = pictures;
        args.insert(args.begin(), {"--format", format});
        const auto run = Velscan(args);
        EXPECT_EQ(run.Out, expected) << format;
        EXPECT_EQ(run.ExitStatus, 0) << format;
    }
}

TEST(Velscan, JsonHasOneObjectPerPictureInInputOrder) {
    const auto run = Velscan({"--format=json", Sample("code128.jpg"), Missing, Broken("blank.png"),
                              Sample("multi.png")});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_EQ(run.Err, "");
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), 4u);

    const TJson& code128 = objects[0];
    EXPECT_EQ(code128["path"].String, Sample("code128.jpg"));
    EXPECT_EQ(code128["width"].Number, 1496);
    EXPECT_EQ(code128["height"].Number, 232);
    ASSERT_EQ(code128["barcodes"].Items.size(), 1u);
    const TJson& barcode = code128["barcodes"][0];
    EXPECT_EQ(barcode["symbology"].String, "CODE-128");
    EXPECT_EQ(barcode["addon"].String, "");
    EXPECT_EQ(barcode["data"].String, Code128Data);
    EXPECT_EQ(barcode["encoding"].String, "text");
    EXPECT_GT(barcode["quality"].Number, 0);
    EXPECT_EQ(barcode["orientation"].String, "UP");
    EXPECT_EQ(barcode["modifiers"].Kind, TJson::TKind::Array);
    ASSERT_GE(barcode["points"].Items.size(), 2u);
    for (const auto& point : barcode["points"].Items) {
        EXPECT_GE(point[0].Number, 0);
        EXPECT_LT(point[0].Number, 1496);
        EXPECT_GE(point[1].Number, 0);
        EXPECT_LT(point[1].Number, 232);
    }

    EXPECT_EQ(objects[1]["path"].String, Missing);
    EXPECT_NE(objects[1]["error"].String, "");
    EXPECT_FALSE(objects[1].Has("barcodes"));
    EXPECT_EQ(objects[2]["barcodes"].Items.size(), 0u);
    EXPECT_FALSE(objects[2].Has("error"));
    EXPECT_EQ(objects[3]["barcodes"].Items.size(), 2u);
}

TEST(Velscan, XmlIsWellFormedWithEscapedText) {
    const auto run = Velscan({"--format", "xml", Sample("code128.jpg"), Missing,
                              Broken("blank.png"), Sample("qrcode.webp")});
    EXPECT_EQ(run.ExitStatus, 2);
    const TXmlElement root = ParseXml(run.Out);
    EXPECT_EQ(root.Name, "velscan");
    EXPECT_EQ(root.Attribute("version"), "4.5");
    const auto pictures = root.All("picture");
    ASSERT_EQ(pictures.size(), 4u);

    EXPECT_EQ(pictures[0]->Attribute("path"), Sample("code128.jpg"));
    EXPECT_EQ(pictures[0]->Attribute("width"), "1496");
    const auto barcodes = pictures[0]->All("barcode");
    ASSERT_EQ(barcodes.size(), 1u);
    EXPECT_EQ(barcodes[0]->Attribute("symbology"), "CODE-128");
    EXPECT_EQ(barcodes[0]->Attribute("orientation"), "UP");
    const auto data = barcodes[0]->All("data");
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0]->Attribute("encoding"), "text");
    EXPECT_EQ(data[0]->Text, Code128Data);
    EXPECT_GE(barcodes[0]->All("points").at(0)->All("point").size(), 2u);

    ASSERT_EQ(pictures[1]->All("error").size(), 1u);
    EXPECT_NE(pictures[1]->All("error")[0]->Text, "");
    EXPECT_TRUE(pictures[2]->All("barcode").empty());
    EXPECT_EQ(pictures[3]->All("barcode").at(0)->All("data").at(0)->Text, QrData);
}

TEST(Velscan, DataThatIsNotTextComesAsBase64) {
    // With ZBar's binary setting the QR code's bytes come back unconverted: FF 00 FE 80 "Vel".
    const std::string picture = Broken("qr-binary.png");
    const auto json = Velscan({"-S", "qrcode.binary=1", "--format=json", picture});
    const TJson barcode = JsonLines(json.Out).at(0)["barcodes"][0];
    EXPECT_EQ(barcode["encoding"].String, "base64");
    EXPECT_EQ(barcode["data"].String, "/wD+gFZlbA==");

    const auto xml = Velscan({"-Sqrcode.binary=1", "--format=xml", picture});
    const TXmlElement root = ParseXml(xml.Out);
    const auto data = root.All("picture").at(0)->All("barcode").at(0)->All("data");
    EXPECT_EQ(data.at(0)->Attribute("encoding"), "base64");
    EXPECT_EQ(data.at(0)->Text, "/wD+gFZlbA==");

    const auto raw = Velscan({"--set", "qrcode.binary=1", "--format=raw", picture});
    EXPECT_EQ(raw.Out, std::string("\xFF\x00\xFE\x80Vel\n", 8));

    // Without it ZBar converts the bytes to text itself.
    const auto converted = Velscan({"--format=json", picture});
    EXPECT_EQ(JsonLines(converted.Out).at(0)["barcodes"][0]["encoding"].String, "text");
}

TEST(Velscan, ExitStatusTellsWhatHappened) {
    struct TCase {
        std::vector<std::string> Args;
        int Status;
        std::string ErrorMentions;
    };
    const std::vector<TCase> cases = {
        {{Sample("ean13.png"), Broken("blank.png")}, 0, ""},
        {{Broken("blank.png")}, 4, ""},
        {{Sample("ean13.png"), Missing}, 2, Missing},
        {{}, 1, "no picture given"},
        {{"--bogus", Sample("ean13.png")}, 1, "--bogus"},
        {{"--format", "yaml", Sample("ean13.png")}, 1, "yaml"},
        {{"--effort", "hard", Sample("ean13.png")}, 1, "'hard'"},
        {{"-j", "0", Sample("ean13.png")}, 1, "'0'"},
        {{"--rect", "1,2,3", Sample("ean13.png")}, 1, "'1,2,3'"},
        {{"--rect", "1,2,-3,4", Sample("ean13.png")}, 1, "'1,2,-3,4'"},
        {{"--max-pixels", "0", Sample("ean13.png")}, 1, "--max-pixels value '0'"},
        {{"--max-pixels=lots", Sample("ean13.png")}, 1, "'lots'"},
        {{"--library", "/nonexistent/libzbar.so.0", Sample("ean13.png")},
         1,
         "/nonexistent/libzbar.so.0"},
        {{"-S", "ean13.enable", "-S", "no-such-setting=3", Sample("ean13.png")},
         1,
         "Configuration error: 'no-such-setting=3'"},
    };
    for (const auto& c : cases) {
        const auto run = Velscan(c.Args);
        EXPECT_EQ(run.ExitStatus, c.Status) << run.Err;
        EXPECT_NE(run.Err.find(c.ErrorMentions), std::string::npos) << run.Err;
        if (c.Status == 1) {
            EXPECT_EQ(run.Out, "");
        }
    }
}

TEST(Velscan, EveryEffortReportsThePassThatFoundEachBarcode) {
    for (const std::string effort : {"fast", "normal", "thorough"}) {
        const auto json = Velscan({"--effort", effort, "--format=json", Sample("ean13.png")});
        EXPECT_EQ(json.ExitStatus, 0) << effort;
        const TJson barcode = JsonLines(json.Out).at(0)["barcodes"][0];
        EXPECT_EQ(barcode["data"].String, "9780201379624") << effort;
        EXPECT_EQ(barcode["pass"].String, "default") << effort;

        const auto xml = Velscan({"-e", effort, "--format=xml", Sample("ean13.png")});
        const TXmlElement root = ParseXml(xml.Out);
        EXPECT_EQ(root.All("picture").at(0)->All("barcode").at(0)->Attribute("pass"), "default")
            << effort;
    }
}

TEST(Velscan, ZBarThatCannotBeLoadedIsNamedOnceWithTheWayOut) {
    for (const std::string library : {"libnope.so", "/nonexistent/libzbar.so.0"}) {
        const auto run = Velscan({"--library", library, Sample("ean13.png")});
        EXPECT_EQ(run.ExitStatus, 1) << library;
        EXPECT_EQ(run.Out, "") << library;
        EXPECT_TRUE(run.Err.starts_with("velscan: cannot load ZBar from " + library + ": "))
            << run.Err;
        EXPECT_TRUE(run.Err.ends_with("; install libzbar0 (Debian/Ubuntu) or set --library\n"))
            << run.Err;
        EXPECT_EQ(Lines(run.Err).size(), 1u) << run.Err;
        EXPECT_EQ(run.Err.find(library), run.Err.rfind(library)) << run.Err;
    }
}

TEST(Velscan, OptionValuesComeApartOrGlued) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Args;
        int Status;
        std::string Out;
    };
    const std::string ean13 = Sample("ean13.png");
    const std::vector<TCase> cases = {
        {"long, apart", {"--format", "raw", "--jobs", "1", ean13}, 0, "9780201379624\n"},
        {"long, glued", {"--format=raw", "--jobs=1", ean13}, 0, "9780201379624\n"},
        {"short, apart", {"-f", "raw", "-j", "1", ean13}, 0, "9780201379624\n"},
        {"short, glued", {"-fraw", "-j1", ean13}, 0, "9780201379624\n"},
        {"setting, apart", {"--set", "ean13.disable", ean13}, 4, ""},
        {"setting, glued", {"--set=ean13.disable", ean13}, 4, ""},
        {"options ended", {"--", "--version"}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto run = Velscan(c.Args);
        EXPECT_EQ(run.ExitStatus, c.Status) << c.Name << ": " << run.Err;
        EXPECT_EQ(run.Out, c.Out) << c.Name;
    }
}

TEST(Velscan, BadPicturesAreReportedAndTheRunGoesOn) {
    const std::vector<std::string> bad = {Missing, Broken("truncated.png"), Broken("text.jpg"),
                                          Broken("huge.png")};
    const std::vector<std::string> args = {
        Sample("ean13.png"), bad[0], bad[1], bad[2], Sample("code39.gif"), bad[3],
        Broken("blank.png")};
    const auto text = Velscan(args);
    EXPECT_EQ(text.ExitStatus, 2);
    EXPECT_EQ(text.Out, Ean13 + "\nCODE-39:VEL-2026\n");
    const auto errors = Lines(text.Err);
    ASSERT_EQ(errors.size(), bad.size()) << text.Err;
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_TRUE(errors[i].starts_with("velscan: " + bad[i] + ": ")) << errors[i];

    auto jsonArgs = args;
    jsonArgs.insert(jsonArgs.begin(), "--format=json");
    const auto json = Velscan(jsonArgs);
    EXPECT_EQ(json.ExitStatus, 2);
    const auto objects = JsonLines(json.Out);
    ASSERT_EQ(objects.size(), args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        EXPECT_EQ(objects[i]["path"].String, args[i]);
        const bool isBad = std::find(bad.begin(), bad.end(), args[i]) != bad.end();
        EXPECT_EQ(objects[i].Has("error"), isBad) << args[i];
    }
}

TEST(Velscan, OutputOrderDoesNotDependOnTheNumberOfJobs) {
    const std::vector<std::string> pool = {
        Sample("code128.jpg"),    Sample("ean13.png"),  Missing,
        Sample("ean8-label.jpg"), Broken("blank.png"),  Sample("multi.png"),
        Broken("text.jpg"),       Sample("databar.tif")};
    std::string input;
    std::vector<std::string> expectedPaths;
    for (std::size_t i = 0; i < 40; ++i) {
        expectedPaths.push_back(pool[(i * 5) % pool.size()]);
        input += expectedPaths.back() + "\n";
    }
    const auto serial = Velscan({"-j1", "--format=json", "-"}, input);
    EXPECT_EQ(JsonPaths(serial.Out), expectedPaths);
    for (const char* jobs : {"2", "5"}) {
        const auto parallel = Velscan({"-j", jobs, "--format=json", "-"}, input);
        EXPECT_EQ(parallel.Out, serial.Out) << jobs;
        EXPECT_EQ(parallel.ExitStatus, 2);
    }
}

TEST(Velscan, ReadsPathsFromStandardInput) {
    const std::string input =
        Sample("code39.gif") + "\r\n\n" + Sample("ean13.png") + "\n" + Sample("ean8-label.jpg");
    const auto run = Velscan({Sample("databar.tif"), "-"}, input);
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(Lines(run.Out),
              (std::vector<std::string>{"DataBar-Exp:0198898765432106320201234515991231",
                                        "CODE-39:VEL-2026", Ean13, "EAN-8:96385074"}));
}

TEST(Velscan, FoldersGiveTheirPicturesInSortedOrder) {
    TTempFolder folder;
    const std::string b = folder.Add(Sample("ean13.png"), "b.png");
    const std::string a = folder.Add(Sample("code39.gif"), "a.GIF");
    const std::string deep = folder.Add(Sample("ean8-label.jpg"), "a-sub/x/label.jpeg");
    const std::string gray = folder.Add(Sample("ean13.pgm"), "c.pgm");
    folder.Add(Sample("make-samples.sh"), "notes.txt");
    fs::create_directories(folder.Path() / "empty");

    const auto flat = Velscan({"--format=json", folder.Path().string()});
    EXPECT_EQ(JsonPaths(flat.Out), (std::vector<std::string>{a, b, gray}));

    const auto deepRun = Velscan({"-r", "--format=json", folder.Path().string()});
    // "a-sub" sorts before "a.GIF": names are compared byte by byte.
    EXPECT_EQ(JsonPaths(deepRun.Out), (std::vector<std::string>{deep, a, b, gray}));
    EXPECT_EQ(deepRun.ExitStatus, 0);

    const auto empty = Velscan({(folder.Path() / "empty").string()});
    EXPECT_EQ(empty.ExitStatus, 4);
    EXPECT_NE(empty.Err.find("no pictures"), std::string::npos) << empty.Err;
}

// A folder whose pictures are all in subfolders scans nothing without -r: an error for it
// that says so, not "no barcodes".
TEST(Velscan, AFolderOfSubfoldersWithoutRecursiveIsAnError) {
    TTempFolder folder;
    folder.Add(Sample("ean13.png"), "2024/01/label.png");
    folder.Add(Sample("code39.gif"), "2025/label.gif");
    const auto run = Velscan({"--format=json", folder.Path().string()});
    EXPECT_EQ(run.ExitStatus, 2);
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), 1u) << run.Out;
    EXPECT_EQ(objects[0]["path"].String, folder.Path().string());
    EXPECT_NE(objects[0]["error"].String.find("2 subfolders: give -r"), std::string::npos)
        << objects[0]["error"].String;

    const auto recursive = Velscan({"-r", folder.Path().string()});
    EXPECT_EQ(recursive.ExitStatus, 0) << recursive.Err;
    EXPECT_EQ(Lines(recursive.Out).size(), 2u);
}

TEST(Velscan, ScanRectangleLimitsTheScanAndKeepsPictureCoordinates) {
    // multi.png holds the I2/5 code in its left 476 columns and the QR code right of them.
    const auto left = Velscan({"--rect", "0,0,476,0", "--format=json", Sample("multi.png")});
    const auto leftCodes = JsonLines(left.Out).at(0)["barcodes"].Items;
    ASSERT_EQ(leftCodes.size(), 1u);
    EXPECT_EQ(leftCodes[0]["symbology"].String, "I2/5");

    const auto right = Velscan({"--rect=476,0,0,0", "--format=json", Sample("multi.png")});
    const TJson picture = JsonLines(right.Out).at(0);
    EXPECT_EQ(picture["width"].Number, 698);
    const auto rightCodes = picture["barcodes"].Items;
    ASSERT_EQ(rightCodes.size(), 1u);
    EXPECT_EQ(rightCodes[0]["symbology"].String, "QR-Code");
    for (const auto& point : rightCodes[0]["points"].Items)
        EXPECT_GE(point[0].Number, 476);

    EXPECT_EQ(left.Err + right.Err, "");
    EXPECT_FALSE(picture.Has("warning"));
}

TEST(Velscan, ScanRectangleOutsideThePictureIsWarnedOf) {
    // multi.png is 698 pixels wide; a rectangle starting at or beyond an edge scans nothing.
    const std::string multi = Sample("multi.png");
    for (const std::string rect : {"5000,0,10,10", "698,0,0,0", "0,100000,0,0"}) {
        const auto text = Velscan({"--rect", rect, multi});
        EXPECT_EQ(text.ExitStatus, 4) << rect;
        EXPECT_TRUE(text.Err.starts_with("velscan: " + multi + ": warning: the scan rectangle " +
                                         rect + " lies outside the picture of 698 x "))
            << text.Err;

        const auto json = Velscan({"--rect", rect, "--format=json", multi});
        EXPECT_EQ(json.Err, text.Err) << rect;
        const TJson picture = JsonLines(json.Out).at(0);
        EXPECT_EQ(picture["barcodes"].Items.size(), 0u) << rect;
        EXPECT_NE(picture["warning"].String.find("lies outside"), std::string::npos) << rect;

        const auto xml = Velscan({"--rect", rect, "--format=xml", multi});
        const TXmlElement root = ParseXml(xml.Out);
        const auto warnings = root.All("picture").at(0)->All("warning");
        ASSERT_EQ(warnings.size(), 1u) << rect;
        EXPECT_EQ(warnings[0]->Text, picture["warning"].String) << rect;
    }
}

TEST(Velscan, MaxPixelsSetsThePixelLimitAndTheMessageNamesIt) {
    // huge.png declares 60000 x 60000 pixels, above the default limit of 2^28.
    const auto huge = Velscan({Broken("huge.png")});
    EXPECT_EQ(huge.ExitStatus, 2);
    for (const char* part : {"60000 x 60000", "limit of 268435456 pixels", "--max-pixels"})
        EXPECT_NE(huge.Err.find(part), std::string::npos) << part << " in " << huge.Err;

    const std::string ean13 = Sample("ean13.png");
    const TJson size = JsonLines(Velscan({"--format=json", ean13}).Out).at(0);
    const auto pixels = static_cast<long long>(size["width"].Number * size["height"].Number);
    const auto below = Velscan({"--max-pixels", std::to_string(pixels - 1), ean13});
    EXPECT_EQ(below.ExitStatus, 2);
    EXPECT_NE(below.Err.find("limit of " + std::to_string(pixels - 1) + " pixels"),
              std::string::npos)
        << below.Err;
    const auto at = Velscan({"--max-pixels=" + std::to_string(pixels), ean13});
    EXPECT_EQ(at.ExitStatus, 0) << at.Err;
    EXPECT_EQ(at.Out, Ean13 + "\n");
}

TEST(Velscan, HelpAndVersion) {
    const auto help = Velscan({"--help"});
    EXPECT_EQ(help.ExitStatus, 0);
    for (const char* part : {"Usage: velscan", "Exit status:", "Examples:", "--rect", "-j", "-0",
                             "--max-pixels N", "default 268435456"})
        EXPECT_NE(help.Out.find(part), std::string::npos) << part;
    const auto version = Velscan({"--version"});
    EXPECT_EQ(version.ExitStatus, 0);
    EXPECT_EQ(version.Out, "velscan 4.5\nengines: " VELSCAN_ENGINES "\n");
}

// --formats names the symbologies to read as velscan prints them, case and punctuation
// forgiven, or those to leave out; a name it does not know lists those it does.
TEST(Velscan, FormatsChooseTheSymbologiesByName) {
    const std::vector<std::string> pictures = {Sample("multi.png"), Sample("ean13.png"),
                                               Sample("code39.gif")};
    struct TCase {
        const char* Formats;
        std::vector<std::string> Types;
    };
    const std::vector<TCase> cases = {
        {"qrcode,ean13", {"QR-Code", "EAN-13"}}, {"QR-Code", {"QR-Code"}},
        {"I2/5,code-39", {"I2/5", "CODE-39"}},   {"-qrcode,-CODE39", {"I2/5", "EAN-13"}},
        {"ean13,+code39,-ean13", {"CODE-39"}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = {"--formats", c.Formats};
        args.insert(args.end(), pictures.begin(), pictures.end());
        const auto run = Velscan(args);
        std::vector<std::string> types;
        for (const std::string& line : Lines(run.Out))
            types.push_back(line.substr(0, line.find(':')));
        EXPECT_EQ(types, c.Types) << c.Formats;
    }

    const auto unknown = Velscan({"--formats", "ean13,qr-kode", Sample("ean13.png")});
    EXPECT_EQ(unknown.ExitStatus, 1);
    EXPECT_NE(unknown.Err.find("unknown symbology 'qr-kode' in --formats; known: EAN-13, "),
              std::string::npos)
        << unknown.Err;
    EXPECT_NE(unknown.Err.find("DataMatrix"), std::string::npos);
    const auto none = Velscan({"--formats=-ean13,ean13", Sample("ean13.png")});
    EXPECT_EQ(none.ExitStatus, 1);
    EXPECT_NE(none.Err.find("leaves no symbology to read"), std::string::npos) << none.Err;
}

} // namespace
