#include "vel/host/String.h"

#include "vel/host/Utf8.h"

#include <cstdint>

namespace Host {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

void AppendUtf16(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
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
    for (size_t i = 0; i < text.size();) {
        const TUtf8Sequence sequence = ReadUtf8Sequence(text, i);
        AppendUtf16(out, sequence.Valid ? sequence.CodePoint : ReplacementCharacter);
        i += sequence.Length;
    }
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
