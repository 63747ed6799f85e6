// TVel's published class description: its properties in stored order for forms and the
// designer, and its platforms attribute. Registered with the host's class registry when the
// component library is loaded.
#pragma once

#include "vel/host/ClassRegistry.h"
#include "vel/host/Export.h"

namespace Vel {

// The platforms TVel is offered for: 32-bit and 64-bit Windows, as the host codes them.
inline constexpr uint32_t VelComponentPlatforms = Host::pidWin32 | Host::pidWin64;

VEL_API const Host::TClassInfo& TVelClass();

} // namespace Vel
