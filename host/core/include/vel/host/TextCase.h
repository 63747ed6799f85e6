// Text compared and upper-cased without regard to the case of ASCII letters, the way names
// (of classes, properties, components, resources) and the keywords of form text are matched.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <string_view>

namespace Host {

// True when the texts are equal but for the case of ASCII letters; every other character
// must match exactly (u"\u00c9" is not u"\u00e9", '@' is not '`').
VEL_API bool SameText(std::u16string_view a, std::u16string_view b) noexcept;
// The same for 8-bit text, byte by byte.
VEL_API bool SameText(std::string_view a, std::string_view b) noexcept;

// The text with its ASCII letters in upper case and every other character as it is.
VEL_API String UpperCase(std::u16string_view text);

} // namespace Host
