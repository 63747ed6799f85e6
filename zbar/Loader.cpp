#include "vel/Loader.h"

#include "EntryTable.h"
#include "LoaderResources.h"
#include "vel/VelError.h"

namespace Vel {

Host::String ZBarLibraryName = DefaultZBarLibraryName;
Host::TModuleHandle ZBarLibrary = nullptr;

namespace {

TLibraryGeneration LoadCount = 0;

// The numbers of the loader's messages in its string table (LoaderMessages.vrc).
constexpr std::uint16_t LibraryNotLoaded = 65526;
constexpr std::uint16_t LibraryUnloaded = 65528;

void Check(bool condition, std::uint16_t message) {
    if (!condition)
        throw EVelError(Host::LoadResString(LoaderResources(), message));
}

EVelError LoadError(const Host::String& name, const Host::TModuleError& error) {
    return EVelError(name + u": " + Host::SysErrorMessage(error));
}

} // namespace

void LoadLibrary() {
    if (LoadedLibrary())
        return;
    ZBarLibrary = Host::LoadModule(ZBarLibraryName);
    if (ZBarLibrary == nullptr)
        throw LoadError(ZBarLibraryName, Host::GetLastModuleError());
    if (const auto missing = ResolveEntries(ZBarLibrary)) {
        UnloadLibrary();
        throw LoadError(Host::FromAnsi(missing->Name), missing->Error);
    }
    ++LoadCount;
}

void UnloadLibrary() {
    if (!LoadedLibrary())
        return;
    Host::FreeModule(ZBarLibrary);
    ZBarLibrary = nullptr;
    ClearEntries();
}

bool LoadedLibrary() noexcept {
    return ZBarLibrary != nullptr;
}

TLibraryGeneration LibraryGeneration() noexcept {
    return LoadedLibrary() ? LoadCount : 0;
}

void CheckLoaded() {
    Check(LoadedLibrary(), LibraryNotLoaded);
}

void CheckLoadedAs(TLibraryGeneration generation) {
    CheckLoaded();
    Check(generation == LibraryGeneration(), LibraryUnloaded);
}

bool LoadedAs(TLibraryGeneration generation) noexcept {
    return generation != 0 && generation == LibraryGeneration();
}

} // namespace Vel
