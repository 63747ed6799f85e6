// The platform layer for loading shared libraries at run time: load by file name, look up
// an entry point by name, free, and the last error with its text.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/String.h"

namespace Host {

// The platform's module handle; null when nothing is loaded.
using TModuleHandle = void*;

// The calling thread's record of the last failed module operation.
struct VEL_API TModuleError {
    AnsiString Text;
};

// Loads the library file; the name is handed to the platform loader unchanged, so its own
// search rules apply. Returns null on failure; GetLastModuleError then tells why.
VEL_API TModuleHandle LoadModule(const String& fileName);

// The address of the named entry point, or null on failure (see GetLastModuleError).
VEL_API void* GetModuleEntry(TModuleHandle module, const char* name);

// Frees the library; the result is not examined.
VEL_API void FreeModule(TModuleHandle module);

// The last error of this thread, taken at once after the failed call.
VEL_API TModuleError GetLastModuleError();

// The platform's human-readable text for an error.
VEL_API String SysErrorMessage(const TModuleError& error);

} // namespace Host
