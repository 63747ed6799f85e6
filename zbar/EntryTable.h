// Filling and emptying the entry-point table (vel/ZBarEntries.h).
#pragma once

#include "vel/host/DynamicLibrary.h"

#include <optional>

namespace Vel {

// The first entry a module lacks, with the platform's error taken right after the lookup.
struct TMissingEntry {
    const char* Name;
    Host::TModuleError Error;
};

// Resolves the entries in list order, storing each before looking up the next; stops at the
// first missing one and returns it.
std::optional<TMissingEntry> ResolveEntries(Host::TModuleHandle module);

// Sets every entry to null.
void ClearEntries() noexcept;

} // namespace Vel
