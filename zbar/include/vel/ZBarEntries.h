// The table of ZBar entry points: one process-wide function pointer per bound ZBar function,
// named like the function, of the pointer type <name>_t. The loader fills the table; every
// entry is null while no library is loaded.
#pragma once

#include "vel/host/Export.h"
#include "vel/zbar/Enums.h"
#include "vel/zbar/Types.h"

namespace Vel {

#define VEL_ZBAR_ENTRY(ReturnType, name, parameters)                                               \
    using name##_t = ReturnType(*) parameters;                                                     \
    extern VEL_API name##_t name;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY

} // namespace Vel
