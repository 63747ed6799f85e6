// Paths that are not text. velscan reports each path exactly: JSON and XML show it with
// U+FFFD where it cannot be carried as it is and then add its bytes in base64, so that two
// files are never reported under one path. Valid paths are reported as before.
#include "Base64.h"
#include "VelscanRun.h"
#include "Xml.h"

#include "vel/host/String.h"

#include <gtest/gtest.h>

namespace {

using namespace VelScanTest;

const std::string Fffd = "\xEF\xBF\xBD";

struct TName {
    const char* Label;
    std::string Name;      // the file's name, bytes
    std::string JsonShown; // the name as JSON's "path" shows it
    std::string XmlShown;  // the name as XML's path shows it
};

// In the folder's order, by bytes. Each is a copy of ean13.png; the two Latin-1 names differ
// only in a byte that is not UTF-8.
const std::vector<TName> Names = {
    {"control character", "bell\x07.png", "bell\x07.png", "bell" + Fffd + ".png"},
    {"UTF-8", "caf\xC3\xA9.png", "caf\xC3\xA9.png", "caf\xC3\xA9.png"},
    {"Latin-1 e-grave", "caf\xE8.png", "caf" + Fffd + ".png", "caf" + Fffd + ".png"},
    {"Latin-1 e-acute", "caf\xE9.png", "caf" + Fffd + ".png", "caf" + Fffd + ".png"},
};

// Whether velscan can open the file yet: it hands the path to the host as text, and the
// host's conversion of file names to text and back may be lossy.
bool HostKeepsTheName(const std::string& path) {
    return Host::ToAnsi(Host::FromAnsi(path)) == path;
}

class VelscanFileNames : public testing::Test {
protected:
    void SetUp() override {
        for (const TName& name : Names)
            FPaths.push_back(FFolder.Add(Sample("ean13.png"), name.Name));
    }

    // The path as the output shows the file name.
    std::string Shown(const std::string& name) const { return (FFolder.Path() / name).string(); }

    TTempFolder FFolder;
    std::vector<std::string> FPaths; // in the order of Names, which is the folder's order
};

TEST_F(VelscanFileNames, JsonCarriesEachPathExactly) {
    const auto run = Velscan({"--format=json", FFolder.Path().string()});
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), Names.size()) << run.Out;
    for (std::size_t i = 0; i < Names.size(); ++i) {
        const TName& name = Names[i];
        const TJson& picture = objects[i];
        EXPECT_EQ(picture.Fields.at(0).Name, "path") << name.Label;
        EXPECT_EQ(picture["path"].String, Shown(name.JsonShown)) << name.Label;
        if (name.JsonShown != name.Name) {
            EXPECT_EQ(picture.Fields.at(1).Name, "path_base64") << name.Label;
            EXPECT_EQ(picture["path_base64"].String, VelFormats::Base64(FPaths[i])) << name.Label;
        } else {
            EXPECT_FALSE(picture.Has("path_base64")) << name.Label;
        }
        if (picture.Has("error")) {
            EXPECT_FALSE(HostKeepsTheName(FPaths[i]))
                << name.Label << ": " << picture["error"].String;
        } else {
            ASSERT_EQ(picture["barcodes"].Items.size(), 1u) << name.Label;
            EXPECT_EQ(picture["barcodes"][0]["data"].String, "9780201379624") << name.Label;
        }
    }
    // Two files, one shown path: their bytes tell them apart.
    EXPECT_EQ(objects[2]["path"].String, objects[3]["path"].String);
    EXPECT_NE(objects[2]["path_base64"].String, objects[3]["path_base64"].String);
}

TEST_F(VelscanFileNames, XmlCarriesEachPathExactly) {
    const auto run = Velscan({"--format=xml", FFolder.Path().string()});
    const TXmlElement root = ParseXml(run.Out);
    const auto pictures = root.All("picture");
    ASSERT_EQ(pictures.size(), Names.size()) << run.Out;
    for (std::size_t i = 0; i < Names.size(); ++i) {
        const TName& name = Names[i];
        const TXmlElement& picture = *pictures[i];
        EXPECT_EQ(picture.Attributes.at(0).first, "path") << name.Label;
        EXPECT_EQ(picture.Attribute("path"), Shown(name.XmlShown)) << name.Label;
        if (name.XmlShown != name.Name) {
            EXPECT_EQ(picture.Attributes.at(1).first, "path_base64") << name.Label;
            EXPECT_EQ(picture.Attribute("path_base64"), VelFormats::Base64(FPaths[i]))
                << name.Label;
        } else {
            EXPECT_FALSE(picture.HasAttribute("path_base64")) << name.Label;
        }
        if (!picture.All("error").empty())
            EXPECT_FALSE(HostKeepsTheName(FPaths[i])) << name.Label;
        else
            EXPECT_EQ(picture.All("barcode").size(), 1u) << name.Label;
    }
}

// A valid path's line is as it was: "path" first, then the page and the picture's fields, no
// path_base64.
TEST_F(VelscanFileNames, ValidPathsAreReportedAsBefore) {
    const std::string& path = FPaths[1];
    const auto json = Velscan({"--format=json", path});
    EXPECT_TRUE(
        json.Out.starts_with("{\"path\":\"" + path + "\",\"page\":1,\"pages\":1,\"width\":"))
        << json.Out;
    const auto xml = Velscan({"--format=xml", path});
    EXPECT_NE(xml.Out.find("<picture path=\"" + path + "\" page=\"1\" pages=\"1\" width=\""),
              std::string::npos)
        << xml.Out;
}

} // namespace
