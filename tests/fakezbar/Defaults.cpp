// Every ZBar entry point, generated from the entry list: it records its call and returns zero
// or null. These definitions are weak, so Functions.cpp overrides those it models; a new
// model is one strong definition there.
#include "State.h"
#include "vel/zbar/Enums.h"

namespace {

template <class T> T Nothing() {
    if constexpr (!std::is_void_v<T>)
        return T{};
}

} // namespace

#define VEL_ZBAR_ENTRY(ReturnType, name, parameters)                                               \
    extern "C" __attribute__((weak)) ReturnType name parameters {                                  \
        FakeZBar::Record(#name);                                                                   \
        return Nothing<ReturnType>();                                                              \
    }
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY
