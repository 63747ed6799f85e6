// The run-time loader of the ZBar library: the file name setting, the loaded module and the
// operations that fill and clear the entry-point table (vel/ZBarEntries.h).
#pragma once

#include "vel/host/DynamicLibrary.h"
#include "vel/host/Export.h"
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
extern VEL_API Host::String ZBarLibraryName;

// The loaded library; null while none is loaded.
extern VEL_API Host::TModuleHandle ZBarLibrary;

// Loads the library named by ZBarLibraryName and resolves every table entry, unless a library
// is already loaded. Raises EVelError "<file name>: <platform text>" when the file cannot be
// loaded, or "<entry name>: <platform text>" for the first entry the library lacks; the
// library is then freed again and the table left empty.
VEL_API void LoadLibrary();

// Frees the library, if one is loaded, and empties the table. Never raises.
VEL_API void UnloadLibrary();

// True exactly while a library is loaded.
VEL_API bool LoadedLibrary() noexcept;

// Each successful load starts a new generation; 0 while no library is loaded. A ZBar object
// belongs to the generation it was made in and cannot be used or destroyed in another.
using TLibraryGeneration = unsigned long long;
VEL_API TLibraryGeneration LibraryGeneration() noexcept;

// Raises EVelError "ZBar library is not loaded" unless the table's entries are resolved.
VEL_API void CheckLoaded();

// Raises unless the library that made an object is still the one loaded, so that no call
// goes through an empty entry or hands ZBar a handle of a freed library.
VEL_API void CheckLoadedAs(TLibraryGeneration generation);

// Whether an object of that generation may still be destroyed through the table.
VEL_API bool LoadedAs(TLibraryGeneration generation) noexcept;

} // namespace Vel
