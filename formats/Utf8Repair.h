// The repair of text that the output formats must carry as well-formed UTF-8: each byte that
// starts no well-formed sequence stands for U+FFFD. Decoding is the host's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace VelFormats {

// The code point whose UTF-8 sequence starts at text[pos], advancing pos past it; U+FFFD,
// advancing pos by one byte, when the bytes there are not well formed.
char32_t NextRepairedCodePoint(std::string_view text, std::size_t& pos);

// The bytes as UTF-8, each byte that starts no well-formed sequence replaced by U+FFFD.
std::string ToValidUtf8(std::string_view bytes);

} // namespace VelFormats
