// The system's text type, its one pair of conversions to and from 8-bit text, and UTF-8 for
// printing.
#pragma once

#include "vel/host/Export.h"
#include <string>
#include <string_view>

namespace Host {

// UTF-16 text, the system's string type.
using String = std::u16string;

// 8-bit text in the platform's default code page (UTF-8 on Linux): bytes, not re-coded.
using AnsiString = std::string;

// Converts 8-bit text in the default code page to UTF-16. Bytes that form no valid sequence
// in that code page are carried one by one as the lone surrogates U+DC80 to U+DCFF, so that
// ToAnsi gives every byte back: a file name of any bytes survives the round trip.
VEL_API String FromAnsi(std::string_view text);

// Converts UTF-16 text to the default 8-bit code page: ToAnsi(FromAnsi(bytes)) == bytes. A
// lone surrogate U+DC80 to U+DCFF becomes the byte it carries; any other unpaired surrogate
// becomes U+FFFD.
VEL_API AnsiString ToAnsi(std::u16string_view text);

// Converts UTF-16 text to well-formed UTF-8, for printing and for text that must be UTF-8
// whatever it holds: every unpaired surrogate, a carried byte too, becomes U+FFFD.
VEL_API AnsiString ToUtf8(std::u16string_view text);

} // namespace Host
