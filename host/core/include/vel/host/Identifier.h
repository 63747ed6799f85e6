// What makes a name an identifier: the rule for component names and published names.
#pragma once

#include "vel/host/Export.h"

#include <string_view>

namespace Host {

// True for an identifier: an ASCII letter or '_', then ASCII letters, digits or '_'.
VEL_API bool IsValidIdent(std::u16string_view name) noexcept;

} // namespace Host
