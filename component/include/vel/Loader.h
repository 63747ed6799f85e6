// The run-time loader of the ZBar library: the file name setting, the loaded module and the
// operations that fill and clear the entry-point table (vel/ZBarEntries.h).
#pragma once

#include "vel/host/DynamicLibrary.h"
#include "vel/host/String.h"

namespace Vel {

// The platform's file name of the ZBar library, the initial value of ZBarLibraryName.
#if defined(_WIN32)
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.dll";
#elif defined(__APPLE__)
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.0.dylib";
#else
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.so.0";
#endif

// File name of the ZBar library, handed to the platform loader unchanged by each load.
// A change while the library is loaded takes effect after UnloadLibrary and a new load.
extern Host::String ZBarLibraryName;

// The loaded library; null while none is loaded.
extern Host::TModuleHandle ZBarLibrary;

// Loads the library named by ZBarLibraryName and resolves every table entry, unless a library
// is already loaded. Raises EVelError "<file name>: <platform text>" when the file cannot be
// loaded, or "<entry name>: <platform text>" for the first entry the library lacks; the
// library is then freed again and the table left empty.
void LoadLibrary();

// Frees the library, if one is loaded, and empties the table. Never raises.
void UnloadLibrary();

// True exactly while a library is loaded.
bool LoadedLibrary() noexcept;

} // namespace Vel
