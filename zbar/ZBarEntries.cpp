#include "vel/ZBarEntries.h"

#include "EntryTable.h"

namespace Vel {

#define VEL_ZBAR_ENTRY(ReturnType, name, parameters) name##_t name = nullptr;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY

namespace {

template <class TEntry> bool Resolve(Host::TModuleHandle module, const char* name, TEntry& entry) {
    entry = reinterpret_cast<TEntry>(Host::GetModuleEntry(module, name));
    return entry != nullptr;
}

} // namespace

std::optional<TMissingEntry> ResolveEntries(Host::TModuleHandle module) {
#define VEL_ZBAR_ENTRY(ReturnType, name, parameters)                                               \
    if (!Resolve(module, #name, name))                                                             \
        return TMissingEntry{#name, Host::GetLastModuleError()};
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY
    return std::nullopt;
}

void ClearEntries() noexcept {
#define VEL_ZBAR_ENTRY(ReturnType, name, parameters) name = nullptr;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY
}

} // namespace Vel
