#include "vel/Loader.h"

#include "EntryTable.h"
#include "LoaderResources.h"
#include "vel/VelError.h"

#include <atomic>
#include <mutex>

namespace Vel {

Host::String ZBarLibraryName = DefaultZBarLibraryName;

void SetZBarLibraryFile(const std::filesystem::path& file) {
    ZBarLibraryName = Host::FromAnsi(file.native());
}

std::filesystem::path ZBarLibraryFile() {
    return Host::ToAnsi(ZBarLibraryName);
}
Host::TModuleHandle ZBarLibrary = nullptr;

namespace {

// Serialises loading and unloading: ZBarLibrary, the table and LoadCount change only under it.
std::mutex LoadLock;
TLibraryGeneration LoadCount = 0;

// The generation of the loaded library, 0 while none is. Stored after the whole table is
// filled and cleared before anything is freed, so that a thread that reads it non-zero finds
// every entry resolved. The one piece of loader state read without the lock.
std::atomic<TLibraryGeneration> CurrentGeneration = 0;

// The numbers of the loader's messages in its string table (LoaderMessages.vrc).
constexpr std::uint16_t LibraryNotLoaded = 65526;
constexpr std::uint16_t LibraryUnloaded = 65528;

void Check(bool condition, std::uint16_t message) {
    if (!condition)
        throw EVelError(Host::LoadResString(LoaderResources(), message));
}

// The platform's text without a leading "<name>: " of its own (dlerror names the file it could
// not open), so that the message names the file once.
Host::String PlatformText(const Host::String& name, const Host::TModuleError& error) {
    const Host::String text = Host::SysErrorMessage(error);
    const Host::String prefix = name + u": ";
    return text.starts_with(prefix) ? text.substr(prefix.size()) : text;
}

EVelError LoadError(const Host::String& name, const Host::TModuleError& error) {
    return EVelError(name + u": " + PlatformText(name, error));
}

// Frees the loaded library, if any, and empties the table; LoadLock is held.
void Unload() noexcept {
    if (ZBarLibrary == nullptr)
        return;
    CurrentGeneration.store(0, std::memory_order_release);
    Host::FreeModule(ZBarLibrary);
    ZBarLibrary = nullptr;
    ClearEntries();
}

// Loads the library and fills the table; LoadLock is held and nothing is loaded. On failure
// the module is freed and the table emptied before the error leaves.
void Load() {
    const Host::TModuleHandle module = Host::LoadModule(ZBarLibraryName);
    if (module == nullptr)
        throw LoadError(ZBarLibraryName, Host::GetLastModuleError());
    if (const auto missing = ResolveEntries(module)) {
        EVelError error = LoadError(Host::FromAnsi(missing->Name), missing->Error);
        Host::FreeModule(module);
        ClearEntries();
        throw error;
    }
    ZBarLibrary = module;
    CurrentGeneration.store(++LoadCount, std::memory_order_release);
}

} // namespace

void LoadLibrary() {
    if (LoadedLibrary())
        return;
    const std::lock_guard lock(LoadLock);
    if (ZBarLibrary == nullptr)
        Load();
}

void UnloadLibrary() {
    const std::lock_guard lock(LoadLock);
    Unload();
}

bool LoadedLibrary() noexcept {
    return LibraryGeneration() != 0;
}

TLibraryGeneration LibraryGeneration() noexcept {
    return CurrentGeneration.load(std::memory_order_acquire);
}

TLibraryGeneration CheckLoaded() {
    const TLibraryGeneration generation = LibraryGeneration();
    Check(generation != 0, LibraryNotLoaded);
    return generation;
}

void CheckLoadedAs(TLibraryGeneration generation) {
    Check(CheckLoaded() == generation, LibraryUnloaded);
}

bool LoadedAs(TLibraryGeneration generation) noexcept {
    return generation != 0 && generation == LibraryGeneration();
}

} // namespace Vel
