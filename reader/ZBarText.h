// Texts of the second engine put in ZBar's conventions, so that a barcode reads the same
// whichever engine found it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Vel {

// A UPC-E's 8 digits (number system, 6 digits, check digit) as ZBar gives them: expanded to
// the UPC-A they stand for, as an EAN-13 with a leading 0 ("01234565" -> "0012345000065").
// Nothing for a text that is not 8 digits.
std::optional<std::string> ExpandUpcE(std::string_view digits);

// GS1 element strings with their application identifiers in parentheses, as zxing-cpp gives
// DataBar Expanded ("(01)98898765432106(10)12A(21)123"), as the raw characters ZBar gives:
// the identifiers and values joined, a GS (0x1D) after each value of variable length that
// is not the last ("019889876543210610" "12A\x1D" "21123"). Nothing for a text that is not
// such a string.
std::optional<std::string> Gs1RawText(std::string_view bracketed);

} // namespace Vel
