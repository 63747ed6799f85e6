#include "XmlText.h"

#include "Utf8Repair.h"
#include "vel/host/Utf8.h"

namespace VelFormats {

namespace {

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\'':
        out += "&apos;";
        break;
    case '\t':
        out += "&#9;";
        break;
    case '\n':
        out += "&#10;";
        break;
    case '\r':
        out += "&#13;";
        break;
    default:
        Host::AppendUtf8(out, IsXmlChar(c) ? c : U'\uFFFD');
    }
}

} // namespace

bool IsXmlText(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Host::TUtf8Sequence sequence = Host::ReadUtf8Sequence(bytes, pos);
        if (!sequence.Valid || !IsXmlChar(sequence.CodePoint))
            return false;
        pos += sequence.Length;
    }
    return true;
}

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        AppendEscaped(out, NextRepairedCodePoint(text, pos));
    return out;
}

} // namespace VelFormats
