// The JSON format and its reader: what an application writes with the JSON output reads back
// as the entries --resume and --merge take, path bytes and pages included.
#include "vel/formats/JsonEntry.h"
#include "vel/formats/Output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using VelBatch::TPageResult;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(FormatsJsonEntry, WhatTheJsonOutputWritesReadsBack) {
    Vel::TBarcode ean13{.Symbology = Vel::TVelSymbology::syEan13,
                        .SymbologyName = "EAN-13",
                        .Data = "9780201379624",
                        .Outline = {{44, 1}, {424, 0}, {424, 198}, {44, 199}}};
    const std::vector<TPageResult> pages = {
        {.Path = "scans/a.png",
         .Page = 1,
         .Pages = 1,
         .Width = 452,
         .Height = 232,
         .Barcodes = {ean13}},
        {.Path = "scans/\xff\xfe-not-utf8.tif", .Page = 2, .Pages = 3, .Width = 10, .Height = 10},
        {.Path = "scans/missing.png",
         .Error = "Cannot open the file: No such file",
         .ErrorKind = VelBatch::TErrorKind::ekOther},
    };
    std::ostringstream out, errors;
    const auto output = VelFormats::MakeOutput(VelFormats::TFormat::Json, out, errors);
    output->Begin();
    for (const TPageResult& page : pages)
        output->Write(page);
    output->End();
    EXPECT_EQ(errors.str(), "");

    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_EQ(lines.size(), pages.size()) << out.str();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto entry = VelFormats::ReadJsonEntry(lines[i]);
        ASSERT_TRUE(entry) << lines[i];
        EXPECT_EQ(entry->Path, pages[i].Path) << lines[i];
        EXPECT_EQ(entry->HasError, pages[i].Error.has_value()) << lines[i];
        EXPECT_EQ(entry->HasBarcode, !pages[i].Barcodes.empty()) << lines[i];
        if (pages[i].Pages > 0) {
            EXPECT_EQ(entry->Page, pages[i].Page) << lines[i];
            EXPECT_EQ(entry->Pages, pages[i].Pages) << lines[i];
        }
    }
    EXPECT_NE(lines[0].find(R"("data":"9780201379624")"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(R"("box":[44,0,381,200])"), std::string::npos) << lines[0];
}

TEST(FormatsJsonEntry, ALineThatIsNoWholeEntryIsNone) {
    for (const std::string line : {"", "{", R"({"path":)", R"({"path":"a")", R"({"page":1})",
                                   R"({"path":1})", R"({"path":"a"} x)", "[]"})
        EXPECT_FALSE(VelFormats::ReadJsonEntry(line)) << line;
    EXPECT_EQ(VelFormats::ReadJsonEntry(R"({"path":"a\u00e9\ud83d\ude00"})")->Path,
              "a\xc3\xa9\xf0\x9f\x98\x80"); // escapes decoded to UTF-8
}

} // namespace
