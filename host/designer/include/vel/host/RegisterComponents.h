// Registration of component classes with the designer's palette. A design package's
// registration calls RegisterComponents; the designer that loads the package handles it.
#pragma once

#include "vel/host/ClassRegistry.h"
#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <functional>
#include <initializer_list>
#include <span>

namespace Host {

// The name of the entry point a design package exports: `extern "C" void
// HostPackageRegister()`, which calls the registration of each of its units.
inline constexpr char PackageRegisterSymbol[] = "HostPackageRegister";

using TRegisterComponentsProc =
    std::function<void(const String& page, std::span<const TClassInfo* const> classes)>;

// The handler the designer sets while it runs a package's registration; empty otherwise.
VEL_API TRegisterComponentsProc& RegisterComponentsProc();

// Adds each class to the palette page, creating the page when it does not exist yet.
// EComponentError when no designer is registering a package, or for a class that is null or
// not a component class the designer can create.
VEL_API void RegisterComponents(const String& page,
                                std::initializer_list<const TClassInfo*> classes);

} // namespace Host
