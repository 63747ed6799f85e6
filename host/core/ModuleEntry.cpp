#include "vel/host/ModuleEntry.h"

#include <dlfcn.h>
#include <link.h>

namespace Host {

void* GetOwnModuleEntry(TModuleHandle module, const char* name) {
    void* entry = GetModuleEntry(module, name);
    if (entry == nullptr)
        return nullptr;
    link_map* own = nullptr;
    link_map* definer = nullptr;
    Dl_info info{};
    if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 ||
        dladdr1(entry, &info, reinterpret_cast<void**>(&definer), RTLD_DL_LINKMAP) == 0)
        return nullptr;
    return own == definer ? entry : nullptr;
}

} // namespace Host
