#include "Utf8Repair.h"

#include "vel/host/Utf8.h"

namespace VelFormats {

char32_t NextRepairedCodePoint(std::string_view text, std::size_t& pos) {
    const Host::TUtf8Sequence sequence = Host::ReadUtf8Sequence(text, pos);
    if (!sequence.Valid) {
        ++pos;
        return U'\uFFFD';
    }
    pos += sequence.Length;
    return sequence.CodePoint;
}

std::string ToValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();)
        Host::AppendUtf8(out, NextRepairedCodePoint(bytes, pos));
    return out;
}

} // namespace VelFormats
