#include "vel/batch/LineText.h"

namespace VelBatch {

namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char Digits[] = "0123456789abcdef";
    switch (byte) {
    case '\\':
        out += "\\\\";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        out += {'\\', 'x', Digits[byte >> 4], Digits[byte & 0xF]};
    }
}

bool NeedsEscape(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '\\';
}

} // namespace

std::string LineEscaped(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte))
            AppendEscaped(out, byte);
        else
            out += c;
    }
    return out;
}

} // namespace VelBatch
