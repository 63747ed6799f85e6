// Ownership of what a picture library hands out or sets up, given back through the library's
// own release function when the owner goes out of scope.
#pragma once

#include <memory>

namespace Host {

// Calls Release(p); std::unique_ptr calls it for a non-null pointer only.
template <auto Release> struct TReleaseWith {
    template <class T> void operator()(T* p) const noexcept { Release(p); }
};

// Owns p: an object the library allocated, or a struct of ours the library holds resources
// in (libpng's and libjpeg's state), released with Release(p).
template <class T, auto Release> using TCHandle = std::unique_ptr<T, TReleaseWith<Release>>;

} // namespace Host
