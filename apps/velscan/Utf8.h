// UTF-8 checks for the output formats: validation, code point decoding and repair.
#pragma once

#include "vel/host/Utf8.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace VelScan {

// The code point whose well-formed UTF-8 sequence starts at text[pos], advancing pos past
// it; nullopt (pos unchanged) when the bytes there are not one: a stray continuation byte,
// a cut sequence, an overlong form, a surrogate or a value above U+10FFFF.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);

// The bytes as UTF-8, each byte that starts no well-formed sequence replaced by U+FFFD.
std::string ToValidUtf8(std::string_view bytes);

using Host::AppendUtf8;
using Host::IsValidUtf8;

} // namespace VelScan
