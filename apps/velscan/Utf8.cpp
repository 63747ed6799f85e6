#include "Utf8.h"

namespace VelScan {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

struct TLead {
    std::size_t Length;
    char32_t Bits;
    char32_t Smallest; // below this the sequence is an overlong form
};

std::optional<TLead> ReadLead(unsigned char byte) {
    if (byte < 0x80)
        return TLead{1, byte, 0};
    if ((byte & 0xE0) == 0xC0)
        return TLead{2, byte & 0x1Fu, 0x80};
    if ((byte & 0xF0) == 0xE0)
        return TLead{3, byte & 0x0Fu, 0x800};
    if ((byte & 0xF8) == 0xF0)
        return TLead{4, byte & 0x07u, 0x10000};
    return std::nullopt;
}

} // namespace

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = ReadLead(static_cast<unsigned char>(text[pos]));
    if (!lead || text.size() - pos < lead->Length)
        return std::nullopt;
    char32_t codePoint = lead->Bits;
    for (std::size_t k = 1; k < lead->Length; ++k) {
        const auto byte = static_cast<unsigned char>(text[pos + k]);
        if ((byte & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (byte & 0x3Fu);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < lead->Smallest || codePoint > 0x10FFFF || surrogate)
        return std::nullopt;
    pos += lead->Length;
    return codePoint;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();)
        if (!NextCodePoint(bytes, pos))
            return false;
    return true;
}

std::string ToValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        if (NextCodePoint(bytes, pos)) {
            out.append(bytes.substr(start, pos - start));
        } else {
            AppendUtf8(out, ReplacementCharacter);
            ++pos;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&out](char32_t bits) {
        out.push_back(static_cast<char>(bits));
    };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

} // namespace VelScan
