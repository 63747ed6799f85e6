#include "vel/host/String.h"

#include "vel/host/Utf8.h"

namespace Host {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// A byte that starts no well-formed sequence (0x80 to 0xFF) is carried as the lone low
// surrogate U+DC00 + byte, which no well-formed text holds unpaired.
constexpr char16_t EscapeBase = 0xDC00;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsEscapedByte(char16_t c) {
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF;
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

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD, or the byte it carries when
// restoreBytes is set.
AnsiString EncodeUtf8(std::u16string_view text, bool restoreBytes) {
    AnsiString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                (text[i + 1] - 0xDC00));
            ++i;
        } else if (restoreBytes && IsEscapedByte(c)) {
            out.push_back(static_cast<char>(c - EscapeBase));
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUtf8(out, ReplacementCharacter);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

} // namespace

String FromAnsi(std::string_view text) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const TUtf8Sequence sequence = ReadUtf8Sequence(text, i);
        if (sequence.Valid)
            AppendUtf16(out, sequence.CodePoint);
        else
            for (size_t k = 0; k < sequence.Length; ++k)
                out.push_back(
                    static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(text[i + k])));
        i += sequence.Length;
    }
    return out;
}

AnsiString ToAnsi(std::u16string_view text) {
    return EncodeUtf8(text, true);
}

AnsiString ToUtf8(std::u16string_view text) {
    return EncodeUtf8(text, false);
}

} // namespace Host
