// UTF-8, the platform's 8-bit code page: decoding one sequence, validating, encoding.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <cstddef>
#include <string_view>

namespace Host {

// One UTF-8 sequence read at a position. When it is not well formed (an invalid lead byte,
// a cut sequence, a bad continuation byte, an overlong form, a surrogate or a value above
// U+10FFFF), Valid is false and Length covers the bytes that make up the malformed part.
struct VEL_API TUtf8Sequence {
    char32_t CodePoint = 0;
    std::size_t Length = 1;
    bool Valid = false;
};

// Reads the sequence that starts at text[pos]; pos must lie inside text.
VEL_API TUtf8Sequence ReadUtf8Sequence(std::string_view text, std::size_t pos) noexcept;

// Whether the bytes are well-formed UTF-8 as a whole.
VEL_API bool IsValidUtf8(std::string_view bytes) noexcept;

// Appends the UTF-8 form of a code point.
VEL_API void AppendUtf8(AnsiString& out, char32_t codePoint);

} // namespace Host
