// The text helpers of the output formats: UTF-8 validation and repair, base64, JSON
// XML and line escaping.
#include "Base64.h"
#include "JsonText.h"
#include "Utf8Repair.h"
#include "XmlText.h"
#include "vel/batch/LineText.h"
#include "vel/host/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VelFormats;
using VelBatch::LineEscaped;

namespace {

struct TUtf8Case {
    std::string Bytes;
    bool Valid;
    std::string Repaired;
};

const std::string Fffd = "\xEF\xBF\xBD";

TEST(VelscanUtf8, ValidatesAndRepairs) {
    const std::vector<TUtf8Case> cases = {
        {"", true, ""},
        {"plain ASCII", true, "plain ASCII"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC \xF0\x9F\x98\x80",
         true,
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {std::string("a\0b", 3), true, std::string("a\0b", 3)},
        {"\xFF", false, Fffd},
        {"\x80x", false, Fffd + "x"},
        {"\xC0\x80", false, Fffd + Fffd},                       // overlong zero
        {"\xE0\x80\xAF", false, Fffd + Fffd + Fffd},            // overlong slash
        {"\xED\xA0\x80", false, Fffd + Fffd + Fffd},            // surrogate
        {"\xF4\x90\x80\x80", false, Fffd + Fffd + Fffd + Fffd}, // above U+10FFFF
        {"ab\xE2\x82", false, "ab" + Fffd + Fffd},              // cut at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Host::IsValidUtf8(c.Bytes), c.Valid) << c.Bytes;
        EXPECT_EQ(ToValidUtf8(c.Bytes), c.Repaired) << c.Bytes;
    }
}

TEST(VelscanBase64, EncodesTheStandardVectors) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : cases) {
        const std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
        EXPECT_EQ(Base64(bytes), encoded) << plain;
    }
    EXPECT_EQ(Base64(std::vector<std::uint8_t>{0xFF, 0x00, 0xFE, 0x80, 'V', 'e', 'l'}),
              "/wD+gFZlbA==");
}

TEST(VelscanJsonString, EscapesWhatJsonRequires) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", R"("")"},
        {R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")"},
        {"tab\tline\nret\r", R"("tab\tline\nret\r")"},
        {std::string("nul\0bell\x07", 9), R"("nul\u0000bell\u0007")"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e </script>",
         "\"Gr\xC3\xBC\xC3\x9F"
         "e </script>\""},
        {"bad \xFF byte", "\"bad " + Fffd + " byte\""},
    };
    for (const auto& [text, literal] : cases)
        EXPECT_EQ(JsonString(text), literal) << text;
}

TEST(VelscanLineText, EscapesWhatWouldBreakALineReversibly) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"EAN-13:9780201379624", "EAN-13:9780201379624"},
        {"a\\b", R"(a\\b)"},
        {"line\nnext\r\t", R"(line\nnext\r\t)"},
        {std::string("\0\x01\x1F\x7F ~", 6), R"(\x00\x01\x1f\x7f ~)"},
        {R"(\x41)", R"(\\x41)"}, // a backslash before text that looks like an escape
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xFF\x80",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xFF\x80"},
    };
    for (const auto& [bytes, escaped] : cases)
        EXPECT_EQ(LineEscaped(bytes), escaped) << escaped;
}

TEST(VelscanXmlText, EscapesMarkupAndKeepsWhitespaceExact) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(<a href="x">Tom & Jerry's</a>)",
         "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&apos;s&lt;/a&gt;"},
        {"tab\tline\nret\r", "tab&#9;line&#10;ret&#13;"},
        {"bell\x07 and \xFF", "bell" + Fffd + " and " + Fffd},
        {"\xEF\xBF\xBE", Fffd}, // U+FFFE is not an XML character
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(XmlEscaped(text), escaped) << text;
}

TEST(VelscanXmlText, TellsWhatXmlCanCarry) {
    EXPECT_TRUE(IsXmlText("Tom & Jerry <3>\t\r\n"));
    EXPECT_TRUE(IsXmlText("Gr\xC3\xBC\xC3\x9F"
                          "e"));
    EXPECT_FALSE(IsXmlText(std::string("nul\0", 4)));
    EXPECT_FALSE(IsXmlText("escape \x1B"));
    EXPECT_FALSE(IsXmlText("\xEF\xBF\xBF"));
    EXPECT_FALSE(IsXmlText("\xFF"));
}

} // namespace
