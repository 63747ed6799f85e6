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

// As TBarcode::Text() repairs a barcode's data: the host carries each byte of no well-formed
// sequence as a lone surrogate, which its UTF-8 conversion turns into U+FFFD.
std::string ToValidUtf8(std::string_view bytes) {
    return Host::IsValidUtf8(bytes) ? std::string(bytes) : Host::ToUtf8(Host::FromAnsi(bytes));
}

} // namespace VelFormats
