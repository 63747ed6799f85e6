#include "vel/Loader.h"

#include "EntryTable.h"
#include "vel/VelError.h"

namespace Vel {

Host::String ZBarLibraryName = DefaultZBarLibraryName;
Host::TModuleHandle ZBarLibrary = nullptr;

namespace {

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

} // namespace Vel
