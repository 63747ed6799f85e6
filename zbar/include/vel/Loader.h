// The run-time loader of the ZBar library: the file name setting, the loaded module and the
// operations that fill and clear the entry-point table (vel/ZBarEntries.h).
#pragma once

#include "vel/host/DynamicLibrary.h"
#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <filesystem>

namespace Vel {

// The platform's file name of the ZBar library, the initial value of ZBarLibraryName.
#if defined(_WIN32)
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.dll";
#elif defined(__APPLE__)
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.0.dylib";
#else
inline constexpr char16_t DefaultZBarLibraryName[] = u"libzbar.so.0";
#endif

// Threads. LoadLibrary, UnloadLibrary, LoadedLibrary, LibraryGeneration and the checks below
// may be called from any number of threads at once: loads and unloads are serialised by one
// lock, and a library is published (LoadedLibrary true) only once every table entry holds its
// address, so a thread that finds it loaded may call through the table at once. A failed load
// leaves nothing loaded and the table empty. What stays the caller's to order:
// - ZBarLibraryName is a plain variable: change it only while no other thread loads.
// - ZBarLibrary is written under the lock; read it only while no other thread can load or
//   unload (LoadedLibrary answers from any thread).
// - Unloading frees the library under every object made from it: unload only when no other
//   thread uses ZBar, its objects or a component.
// - One TVel, and one wrapper (TVelImageScanner, TVelImage, TVelSymbol), is used by one thread
//   at a time; different objects may be used on different threads at once.

// File name of the ZBar library, handed to the platform loader unchanged by each load.
// A change while the library is loaded takes effect after UnloadLibrary and a new load.
extern VEL_API Host::String ZBarLibraryName;
// ZBarLibraryName as a file name of the file system's bytes (a std::string or a char*
// converts), kept exactly: Vel::SetZBarLibraryFile("/opt/zbar/lib/libzbar.so.0").
VEL_API void SetZBarLibraryFile(const std::filesystem::path& file);
VEL_API std::filesystem::path ZBarLibraryFile();

// The loaded library; null while none is loaded.
extern VEL_API Host::TModuleHandle ZBarLibrary;

// Loads the library named by ZBarLibraryName and resolves every table entry, unless a library
// is already loaded. Raises EVelError "<file name>: <platform text>" when the file cannot be
// loaded (the platform's text without the file name it may start with, so the name appears
// once), or "<entry name>: <platform text>" for the first entry the library lacks; the
// library is then freed again and the table left empty. A thread that calls it while another
// loads waits for that load and then finds the library loaded (or tries again after a failure).
VEL_API void LoadLibrary();

// Frees the library, if one is loaded, and empties the table. Never raises.
VEL_API void UnloadLibrary();

// True exactly while a library is loaded and every entry resolved.
VEL_API bool LoadedLibrary() noexcept;

// Each successful load starts a new generation; 0 while no library is loaded. A ZBar object
// belongs to the generation it was made in and cannot be used or destroyed in another.
using TLibraryGeneration = unsigned long long;
VEL_API TLibraryGeneration LibraryGeneration() noexcept;

// Raises EVelError "ZBar library is not loaded" unless the table's entries are resolved;
// returns the generation of the loaded library, read once with the check.
VEL_API TLibraryGeneration CheckLoaded();

// Raises unless the library that made an object is still the one loaded, so that no call
// goes through an empty entry or hands ZBar a handle of a freed library.
VEL_API void CheckLoadedAs(TLibraryGeneration generation);

// Whether an object of that generation may still be destroyed through the table.
VEL_API bool LoadedAs(TLibraryGeneration generation) noexcept;

} // namespace Vel
