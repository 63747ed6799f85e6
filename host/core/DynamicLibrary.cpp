#include "vel/host/DynamicLibrary.h"

#include <dlfcn.h>

namespace Host {

TModuleHandle LoadModule(const String& fileName) {
    dlerror();
    return dlopen(ToAnsi(fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetModuleEntry(TModuleHandle module, const char* name) {
    dlerror();
    return dlsym(module, name);
}

void FreeModule(TModuleHandle module) {
    dlclose(module);
}

TModuleError GetLastModuleError() {
    const char* text = dlerror();
    return TModuleError{text ? text : "unknown error"};
}

String SysErrorMessage(const TModuleError& error) {
    return FromAnsi(error.Text);
}

} // namespace Host
