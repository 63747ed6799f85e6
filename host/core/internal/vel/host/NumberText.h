// Integers written as text, for the numbers in messages and generated names.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <cstdint>

namespace Host {

// The value in decimal digits, with a '-' before a negative one.
VEL_API String IntToStr(int64_t value);

} // namespace Host
