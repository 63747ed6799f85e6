// Entry points that a loaded module defines itself, as opposed to those the platform loader
// would find in the libraries the module depends on.
#pragma once

#include "vel/host/DynamicLibrary.h"
#include "vel/host/Export.h"

namespace Host {

// The address of the named entry point when the module itself defines it, otherwise null.
VEL_API void* GetOwnModuleEntry(TModuleHandle module, const char* name);

} // namespace Host
