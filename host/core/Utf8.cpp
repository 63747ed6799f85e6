#include "vel/host/Utf8.h"

namespace Host {

namespace {

// Length of the UTF-8 sequence that starts with lead byte b, or 0 for an invalid lead.
std::size_t SequenceLength(unsigned char b) {
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

} // namespace

TUtf8Sequence ReadUtf8Sequence(std::string_view text, std::size_t pos) noexcept {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || pos + length > text.size())
        return {};
    if (length == 1)
        return {lead, 1, true};
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[pos + k]);
        if ((c & 0xC0) != 0x80)
            return {0, k, false};
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values above U+10FFFF are not valid UTF-8.
    static constexpr char32_t Minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = cp >= Minimum[length] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    return {valid ? cp : 0, length, valid};
}

bool IsValidUtf8(std::string_view bytes) noexcept {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const TUtf8Sequence sequence = ReadUtf8Sequence(bytes, pos);
        if (!sequence.Valid)
            return false;
        pos += sequence.Length;
    }
    return true;
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

} // namespace Host
