// The resources the loader carries: the string table of its fixed messages.
#pragma once

#include "vel/host/Resources.h"

namespace Vel {

const Host::TResourceTable& LoaderResources();

} // namespace Vel
