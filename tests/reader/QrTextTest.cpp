// QR bytes become UTF-8 text: UTF-8 kept, else Shift_JIS (CP932), else ISO 8859-1.
#include "QrText.h"
#include "ParamLabel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct TQrTextCase {
    std::string Label;
    std::string Bytes;
    std::string Text;
};

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class QrText : public testing::TestWithParam<TQrTextCase> {};

TEST_P(QrText, DecodesToUtf8) {
    EXPECT_EQ(Vel::QrTextToUtf8(Bytes(GetParam().Bytes)), Bytes(GetParam().Text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QrText,
    testing::Values(
        TQrTextCase{"Ascii", "http://example.com/?a=1", "http://example.com/?a=1"},
        TQrTextCase{"Utf8ChineseKept", "\xe6\xb8\xac\xe8\xa9\xa6", "\xe6\xb8\xac\xe8\xa9\xa6"},
        // "デザイン" in half-width kana, one byte each in Shift_JIS.
        TQrTextCase{"ShiftJisHalfWidthKana", "\xc3\xde\xbb\xde\xb2\xdd",
                    "\xef\xbe\x83\xef\xbe\x9e\xef\xbd\xbb\xef\xbe\x9e\xef\xbd\xb2\xef\xbe\x9d"},
        // "漢字" in double-byte Shift_JIS.
        TQrTextCase{"ShiftJisKanji", "\x8a\xbf\x8e\x9a", "\xe6\xbc\xa2\xe5\xad\x97"},
        // QR encoders write CP932: byte 5C is a backslash, not a yen sign.
        TQrTextCase{"ShiftJisBackslashStays", "\x83\x82\x5c:", "\xe3\x83\xa2\\:"},
        // "grüß" and a lone 0x80: neither UTF-8 nor Shift_JIS, so ISO 8859-1.
        TQrTextCase{"Latin1", "gr\xfc\xdf \x80", "gr\xc3\xbc\xc3\x9f \xc2\x80"},
        TQrTextCase{"BinaryAsLatin1", "\x00\xff\xfe\x01"s, "\x00\xc3\xbf\xc3\xbe\x01"s},
        TQrTextCase{"Empty", "", ""}),
    ParamLabel());

} // namespace
