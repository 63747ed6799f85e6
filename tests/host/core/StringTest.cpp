#include "vel/host/String.h"

#include <gtest/gtest.h>

using namespace Host;

namespace {

struct Utf8Case {
    std::string Bytes;
    String Text;
};

class FromAnsiCase : public testing::TestWithParam<Utf8Case> {};

TEST_P(FromAnsiCase, DecodesUtf8WithReplacementForInvalidBytes) {
    EXPECT_EQ(FromAnsi(GetParam().Bytes), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Host, FromAnsiCase,
    testing::Values(Utf8Case{"", u""}, Utf8Case{"Vel", u"Vel"},
                    Utf8Case{"\xC3\xA9t\xC3\xA9", u"\u00e9t\u00e9"},
                    Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"}, // surrogate pair
                    Utf8Case{"a\xFF"
                             "b",
                             u"a\uFFFDb"},                     // invalid lead byte
                    Utf8Case{"\xC3", u"\uFFFD"},               // cut sequence
                    Utf8Case{"\xC3(", u"\uFFFD("},             // bad continuation
                    Utf8Case{"\xC0\xAF", u"\uFFFD\uFFFD"},     // overlong
                    Utf8Case{"\xED\xA0\x80", u"\uFFFD"},       // encoded surrogate
                    Utf8Case{"\xF4\x90\x80\x80", u"\uFFFD"})); // above U+10FFFF

TEST(ToAnsi, EncodesUtf8AndReplacesUnpairedSurrogates) {
    EXPECT_EQ(ToAnsi(u"\u00e9\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(ToAnsi(String{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD"
                                                            "b");
    EXPECT_EQ(ToAnsi(String{char16_t(0xDC00)}), "\xEF\xBF\xBD");
    EXPECT_EQ(ToAnsi(String{char16_t(0xD83D)}), "\xEF\xBF\xBD");
}

TEST(ToAnsi, RoundTripsEveryValidText) {
    const String text = u"Ascii \u00e9\u4e2d\U0001F600\U0010FFFF";
    EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
}

} // namespace
