#include "JsonText.h"

#include "Utf8Repair.h"

#include <cstdio>

namespace VelFormats {

std::string JsonString(std::string_view text) {
    const std::string valid = ToValidUtf8(text);
    std::string out = "\"";
    out.reserve(valid.size() + 2);
    for (const char c : valid) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

} // namespace VelFormats
