// The text form format on its own: every kind of value survives writing and reading, and
// syntax errors name their line.
#include "vel/host/FormText.h"
#include "vel/host/Errors.h"

#include <gtest/gtest.h>

namespace {

using namespace Host;

TFormObject SampleTree() {
    TFormObject root;
    root.Name = u"Form1";
    root.ClassName = u"TForm1";
    root.Properties = {
        {u"Tag", int64_t{-9007199254740993}, 0},
        {u"Caption", String(u"It's \u00e9t\u00e9 \U0001F600\r\n\ttab"), 0},
        {u"Empty", String(), 0},
        {u"Enabled", TFormIdent{u"True"}, 0},
    };
    TFormObject child;
    child.Name = u"Vel1";
    child.ClassName = u"TVel";
    TFormBytes bytes;
    for (int i = 0; i < 70; ++i)
        bytes.push_back(static_cast<uint8_t>(i * 37));
    child.Properties = {{u"Picture.Data", bytes, 0},
                        {u"OnBarcodeDetected", TFormIdent{u"Vel1BarcodeDetected"}, 0}};
    TFormObject unnamed;
    unnamed.ClassName = u"TVel";
    root.Children = {child, unnamed};
    return root;
}

void ExpectEqual(const TFormObject& a, const TFormObject& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.ClassName, b.ClassName);
    ASSERT_EQ(a.Properties.size(), b.Properties.size());
    for (size_t i = 0; i < a.Properties.size(); ++i) {
        EXPECT_EQ(a.Properties[i].Name, b.Properties[i].Name);
        EXPECT_TRUE(a.Properties[i].Value == b.Properties[i].Value) << i;
    }
    ASSERT_EQ(a.Children.size(), b.Children.size());
    for (size_t i = 0; i < a.Children.size(); ++i)
        ExpectEqual(a.Children[i], b.Children[i]);
}

TEST(FormText, EveryKindOfValueSurvivesTheRoundTrip) {
    const TFormObject tree = SampleTree();
    const AnsiString text = FormatFormText(tree);
    const TFormObject back = ParseFormText(text);
    ExpectEqual(tree, back);
    EXPECT_EQ(FormatFormText(back), text);
    EXPECT_EQ(back.Children[0].Properties[0].Line, 7); // after five root lines and the header
}

TEST(FormText, ReadsTheWrittenLayout) {
    const TFormObject form = ParseFormText("object Form1: TForm1\n"
                                           "  Caption = 'a'#13#10 +\n"
                                           "    'b''c'\n"
                                           "  OBJECT Vel1: TVel\n"
                                           "    Picture.Data = {\n"
                                           "      0A0b\n"
                                           "      FF}\n"
                                           "  End\n"
                                           "end\n");
    ASSERT_EQ(form.Properties.size(), 1u);
    EXPECT_EQ(std::get<String>(form.Properties[0].Value), u"a\r\nb'c");
    ASSERT_EQ(form.Children.size(), 1u);
    EXPECT_EQ(std::get<TFormBytes>(form.Children[0].Properties[0].Value),
              (TFormBytes{0x0A, 0x0B, 0xFF}));
    EXPECT_EQ(form.Children[0].Line, 4);
}

TEST(FormText, AcceptsAByteOrderMarkAtTheStart) {
    const TFormObject form = ParseFormText("\xEF\xBB\xBFobject Form1: TForm1\n  Tag = 2\nend\n");
    EXPECT_EQ(form.Name, u"Form1");
    EXPECT_EQ(std::get<int64_t>(form.Properties.at(0).Value), 2);
}

// Objects nested n deep, one a line, the innermost on line n.
std::string NestedText(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "object TF\n";
    for (int i = 0; i < n; ++i)
        text += "end\n";
    return text;
}

TEST(FormText, ReadsNestingUpToTheLimit) {
    const TFormObject form = ParseFormText(NestedText(MaxFormNesting));
    const TFormObject* object = &form;
    int depth = 1;
    for (; !object->Children.empty(); object = &object->Children[0])
        ++depth;
    EXPECT_EQ(depth, MaxFormNesting);
}

// 21,000 levels overflowed the stack of the recursive parser before the limit.
TEST(FormText, RefusesNestingBeyondTheLimitNamingTheLine) {
    for (const int levels : {MaxFormNesting + 1, 21000}) {
        try {
            ParseFormText(NestedText(levels));
            FAIL() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()), "Line " + std::to_string(MaxFormNesting + 1) +
                                                 ": objects nested deeper than " +
                                                 std::to_string(MaxFormNesting) + " levels");
        }
    }
}

struct TSyntaxCase {
    const char* What;
    const char* Text;
    int Line;
    const char* Message = ""; // a part of the message, where the case checks it
};

class FormTextSyntax : public testing::TestWithParam<TSyntaxCase> {};

TEST_P(FormTextSyntax, NamesTheLine) {
    try {
        ParseFormText(GetParam().Text);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("Line " + std::to_string(GetParam().Line) + ":"),
                  std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().Message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FormTextSyntax,
    testing::Values(
        TSyntaxCase{"no object", "Tag = 1\n", 1},
        TSyntaxCase{"missing class", "object Form1:\nend\n", 2},
        TSyntaxCase{"missing equals", "object F: TF\n  Tag 1\nend\n", 2},
        TSyntaxCase{"missing value", "object F: TF\n  Tag =\nend\n", 3},
        TSyntaxCase{"open string", "object F: TF\n\n  S = 'abc\nend\n", 3},
        TSyntaxCase{"bad char code", "object F: TF\n  S = #70000\nend\n", 2},
        TSyntaxCase{"odd hex digits", "object F: TF\n  D = {\n ABC\n }\nend\n", 4},
        TSyntaxCase{"unclosed block", "object F: TF\n  D = {\n AB\n", 2},
        TSyntaxCase{"unclosed block before end", "object F: TF\n  D = {\n AB\nend\n", 2,
                    "binary block not closed with '}'"},
        TSyntaxCase{"empty text", "", 1, "the form text is empty"},
        TSyntaxCase{"only white space", "\n  \n", 3, "the form text is empty"},
        TSyntaxCase{"only a byte order mark", "\xEF\xBB\xBF", 1, "the form text is empty"},
        TSyntaxCase{"bad hex digit", "object F: TF\n  D = {AG}\nend\n", 2},
        TSyntaxCase{"integer overflow", "object F: TF\n  T = 99999999999999999999\nend\n", 2},
        TSyntaxCase{"missing end", "object F: TF\n  T = 1\n", 3},
        TSyntaxCase{"text after end", "object F: TF\nend\nobject G: TG\nend\n", 3},
        TSyntaxCase{"stray character", "object F: TF\n  T = 1;\nend\n", 2},
        TSyntaxCase{"not UTF-8", "object F: TF\n  S = '\xff'\nend\n", 2}),
    [](const testing::TestParamInfo<TSyntaxCase>& info) {
        std::string name = info.param.What;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
