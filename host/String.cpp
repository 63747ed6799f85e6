#include "vel/host/String.h"

#include <cstdint>

namespace Host {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Length of the UTF-8 sequence that starts with lead byte b, or 0 for an invalid lead.
int SequenceLength(unsigned char b) {
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

// Decodes one code point at text[i]; advances i past what was consumed.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || i + length > text.size()) {
        ++i;
        return ReplacementCharacter;
    }
    if (length == 1) {
        ++i;
        return lead;
    }
    char32_t cp = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            i += k;
            return ReplacementCharacter;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values above U+10FFFF are not valid UTF-8.
    static constexpr char32_t Minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    i += length;
    if (cp < Minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return ReplacementCharacter;
    return cp;
}

void AppendUtf16(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void AppendUtf8(AnsiString& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

String FromAnsi(std::string_view text) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        AppendUtf16(out, DecodeUtf8(text, i));
    return out;
}

AnsiString ToAnsi(std::u16string_view text) {
    AnsiString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        char32_t cp = c;
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            cp = ReplacementCharacter;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

} // namespace Host
