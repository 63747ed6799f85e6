#include "vel/host/String.h"

#include <gtest/gtest.h>

using namespace Host;

namespace {

struct Utf8Case {
    std::string Bytes;
    String Text;
};

// A byte that is no part of a valid sequence, as FromAnsi carries it.
constexpr char16_t Carried(unsigned char byte) {
    return static_cast<char16_t>(0xDC00 + byte);
}

class FromAnsiCase : public testing::TestWithParam<Utf8Case> {};

TEST_P(FromAnsiCase, DecodesUtf8CarryingInvalidBytesAsLoneSurrogates) {
    EXPECT_EQ(FromAnsi(GetParam().Bytes), GetParam().Text);
    EXPECT_EQ(ToAnsi(GetParam().Text), GetParam().Bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Host, FromAnsiCase,
    testing::Values(
        Utf8Case{"", u""}, Utf8Case{"Vel", u"Vel"}, Utf8Case{"\xC3\xA9t\xC3\xA9", u"\u00e9t\u00e9"},
        Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"}, // surrogate pair
        Utf8Case{"a\xFF"
                 "b",
                 String{u'a', Carried(0xFF), u'b'}},                // invalid lead byte
        Utf8Case{"\xC3", String{Carried(0xC3)}},                    // cut sequence
        Utf8Case{"\xC3(", String{Carried(0xC3), u'('}},             // bad continuation
        Utf8Case{"\xC0\xAF", String{Carried(0xC0), Carried(0xAF)}}, // overlong
        Utf8Case{"\xED\xA0\x80", String{Carried(0xED), Carried(0xA0), Carried(0x80)}}, // surrogate
        Utf8Case{"\xF4\x90\x80\x80",
                 String{Carried(0xF4), Carried(0x90), Carried(0x80), Carried(0x80)}}, // > U+10FFFF
        Utf8Case{"caf\xE9.png", String{u'c', u'a', u'f', Carried(0xE9), u'.', u'p', u'n', u'g'}},
        Utf8Case{"\xF0\x9F\x98\x80\x80", String{0xD83D, 0xDE00, Carried(0x80)}})); // pair, byte

TEST(FromAnsi, EveryTwoByteTextComesBackFromToAnsi) {
    for (unsigned first = 0; first < 256; ++first)
        for (unsigned second = 0; second < 256; ++second) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(ToAnsi(FromAnsi(bytes)), bytes) << first << " " << second;
        }
}

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

TEST(ToUtf8, GivesWellFormedUtf8ReplacingEveryUnpairedSurrogate) {
    EXPECT_EQ(ToUtf8(u"EAN-13 \u00e9\U0001F600"), "EAN-13 \xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(FromAnsi("caf\xE9")), "caf\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(String{char16_t(0xD800), u'b'}), "\xEF\xBF\xBD"
                                                      "b");
}

} // namespace
