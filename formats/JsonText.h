// JSON string literals: any bytes in, a quoted and escaped UTF-8 literal out.
#pragma once

#include <string>
#include <string_view>

namespace VelFormats {

// The text as a JSON string literal with its quotes. Bytes that are not well-formed UTF-8
// become U+FFFD; quotes, backslashes and control characters are escaped.
std::string JsonString(std::string_view text);

} // namespace VelFormats
