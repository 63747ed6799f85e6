#include "Utf8.h"

namespace VelScan {

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const Host::TUtf8Sequence sequence = Host::ReadUtf8Sequence(text, pos);
    if (!sequence.Valid)
        return std::nullopt;
    pos += sequence.Length;
    return sequence.CodePoint;
}

std::string ToValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        if (NextCodePoint(bytes, pos)) {
            out.append(bytes.substr(start, pos - start));
        } else {
            AppendUtf8(out, U'\uFFFD');
            ++pos;
        }
    }
    return out;
}

} // namespace VelScan
