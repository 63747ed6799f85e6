// Text for the line formats (text, and paths in front of raw lines): bytes that would break a
// one-line-per-barcode format are escaped so that the line can be taken back exactly.
#pragma once

#include "vel/host/Export.h"

#include <string>
#include <string_view>

namespace VelBatch {

// The bytes with a backslash as \\, newline \n, carriage return \r, tab \t and every other
// control byte (0x00-0x1F, 0x7F) as \xHH (two lower-case hexadecimal digits); all other bytes,
// UTF-8 sequences or not, as they are.
VEL_API std::string LineEscaped(std::string_view bytes);

} // namespace VelBatch
