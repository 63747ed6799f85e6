// velscan as zbarimg's users meet it: zbarimg's options, those with a meaning in velscan
// taking it, those for a window or the desktop bus changing nothing, the display pointing to
// --annotate; and zbarimg's XML, which velscan --xml writes element for element.
#include "PageFiles.h"
#include "RenderBarcode.h"
#include "VelscanRun.h"
#include "Xml.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace VelScanTest;

namespace {

TEST(VelscanZbarimgOptions, EachMeansWhatItMeansToZbarimg) {
    const std::string multi = Sample("multi.png"); // a QR code and an I2/5 code
    const auto text = Velscan({multi});
    const auto raw = Velscan({"--format=raw", multi});
    ASSERT_EQ(Lines(text.Out).size(), 2u) << text.Out;
    struct TCase {
        std::vector<std::string> Args;
        std::string Out;
    };
    const std::vector<TCase> cases = {
        {{"--raw"}, raw.Out},
        {{"--format=json", "--noxml"}, text.Out},
        {{"-D"}, text.Out},
        {{"--nodisplay", "--nodbus"}, text.Out},
        {{"-1"}, Lines(text.Out)[0] + "\n"},
        {{"--oneshot", "--raw"}, Lines(raw.Out)[0] + "\n"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = c.Args;
        args.push_back(multi);
        const auto run = Velscan(args);
        EXPECT_EQ(run.ExitStatus, 0) << c.Args[0] << ": " << run.Err;
        EXPECT_EQ(run.Out, c.Out) << c.Args[0];
    }
}

TEST(VelscanZbarimgOptions, TheDisplayIsRefusedWithTheWayToSeeResults) {
    for (const char* option : {"-d", "--display"}) {
        const auto run = Velscan({option, Sample("ean13.png")});
        EXPECT_EQ(run.ExitStatus, 1) << option;
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(std::string("velscan: ") + option + " shows pictures in a window"),
                  std::string::npos)
            << run.Err;
        EXPECT_NE(run.Err.find("--annotate DIR"), std::string::npos) << run.Err;
    }
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

void WritePgm(const std::filesystem::path& file, const Support::TGrayImage& image) {
    WriteFile(file, "P5\n" + std::to_string(image.Width) + ' ' + std::to_string(image.Height) +
                        "\n255\n" + std::string(image.Pixels.begin(), image.Pixels.end()));
}

// An element as text that leaves out what XML does not tell apart: the order of attributes
// and the white space around text.
std::string Canonical(const TXmlElement& element) {
    auto attributes = element.Attributes;
    std::sort(attributes.begin(), attributes.end());
    std::string text = "<" + element.Name;
    for (const auto& [name, value] : attributes)
        text += " " + name + "='" + value + "'";
    const auto first = element.Text.find_first_not_of(" \t\r\n");
    const auto last = element.Text.find_last_not_of(" \t\r\n");
    text += ">" + (first == std::string::npos ? "" : element.Text.substr(first, last - first + 1));
    for (const auto& child : element.Children)
        text += "\n" + Canonical(child);
    return text + "</" + element.Name + ">";
}

// Pictures whose symbols show every part of zbarimg's schema: the EAN settings, the GS1
// modifier, data in CDATA with a tab, data as base64 ("]]>" cannot stand in CDATA), a
// picture without barcodes, and the pages of a file as its indexes.
TEST(VelscanZbarimgXml, IsZbarimgsDocumentElementForElement) {
#ifndef ZBARIMG_PATH
    GTEST_SKIP() << "zbarimg is not installed (scripts/setup.sh installs zbar-tools)";
#else
    TTempFolder folder;
    const auto path = [&](const char* name) {
        return (folder.Path() / name).string();
    };
    struct TPicture {
        const char* Name;
        int Symbology;
        const char* Data;
    };
    const std::vector<TPicture> pictures = {
        {"ean8.pgm", BARCODE_EANX, "1234567"},
        {"upca.pgm", BARCODE_UPCA, "12345678901"},
        {"i25.pgm", BARCODE_C25INTER, "1234567890"},
        {"gs1-128.pgm", BARCODE_GS1_128, "[01]12345678901231"},
        {"databar.pgm", BARCODE_DBAR_OMN, "1234567890123"},
        {"qr-tab.pgm", BARCODE_QRCODE, "tab\there"},
        {"qr-cdata-end.pgm", BARCODE_QRCODE, "ab]]>cd"},
    };
    std::vector<std::string> args;
    for (const TPicture& picture : pictures) {
        WritePgm(path(picture.Name), Support::RenderBarcode(picture.Symbology, picture.Data, 3));
        args.push_back(path(picture.Name));
    }
    WritePgm(path("blank.pgm"), {40, 40, std::vector<std::uint8_t>(1600, 255)});
    args.push_back(path("blank.pgm"));
    WriteFile(path("pages.tif"),
              Support::MakeTiffPages({Support::RenderBarcode(BARCODE_CODE128, "first", 3),
                                      Support::RenderBarcode(BARCODE_CODE39, "SECOND", 3)}));
    args.push_back(path("pages.tif"));

    std::vector<std::string> zbarimg = {ZBARIMG_PATH, "--xml", "--nodbus"};
    zbarimg.insert(zbarimg.end(), args.begin(), args.end());
    const auto theirs = RunProcess(zbarimg);
    ASSERT_EQ(theirs.ExitStatus, 4) << theirs.Err; // 4: the blank picture has no barcode

    std::vector<std::string> velscan = {"--xml", "--effort", "fast"};
    velscan.insert(velscan.end(), args.begin(), args.end());
    const auto ours = Velscan(velscan);
    EXPECT_EQ(ours.ExitStatus, 0) << ours.Err;
    EXPECT_EQ(ours.Err, "");
    EXPECT_EQ(Canonical(ParseXml(ours.Out)), Canonical(ParseXml(theirs.Out))) << ours.Out;
#endif
}

// Unlike zbarimg, velscan escapes markup in paths, so its document is always well-formed;
// a picture that cannot be read goes to standard error.
TEST(VelscanZbarimgXml, EscapesPathsAndReportsErrorsApart) {
    TTempFolder folder;
    const std::string odd = folder.Add(Sample("ean13.png"), "a&b'<c>.png");
    for (const char* spelling : {"--xml", "--format=zbar-xml"}) {
        const auto run = Velscan({spelling, odd, Missing});
        EXPECT_EQ(run.ExitStatus, 2) << spelling;
        const TXmlElement document = ParseXml(run.Out);
        ASSERT_EQ(document.All("source").size(), 1u) << run.Out;
        EXPECT_EQ(document.All("source")[0]->Attribute("href"), odd);
        EXPECT_NE(run.Err.find("velscan: " + Missing + ": "), std::string::npos) << run.Err;
    }
}

} // namespace
