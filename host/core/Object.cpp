#include "vel/host/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace Host {

String TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    std::string_view name = status == 0 ? demangled.get() : mangled;
    if (const auto colons = name.rfind("::"); colons != std::string_view::npos)
        name.remove_prefix(colons + 2);
    return FromAnsi(name);
}

} // namespace Host
