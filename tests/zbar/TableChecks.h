// Checks of the entry-point table and of the modules the process has loaded.
#pragma once

#include "vel/ZBarEntries.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

// Every entry is null.
inline void ExpectTableEmpty() {
#define VEL_ZBAR_ENTRY(ReturnType, name, parameters) EXPECT_EQ(Vel::name, nullptr) << #name;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY
}

// Every entry holds the address of that name in the module file at path.
inline void ExpectTableFrom(const char* path) {
    void* module = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(module, nullptr) << path << " is not loaded";
#define VEL_ZBAR_ENTRY(ReturnType, name, parameters)                                               \
    EXPECT_EQ(reinterpret_cast<void*>(Vel::name), dlsym(module, #name)) << #name;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY
    dlclose(module);
}

// Whether the process holds the module file at path.
inline bool ModuleLoaded(const char* path) {
    void* module = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (module != nullptr)
        dlclose(module);
    return module != nullptr;
}
