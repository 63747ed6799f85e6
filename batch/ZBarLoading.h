// Loading ZBar for a run, and what velscan says when it cannot: the library's name once, the
// reason, and the way out.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace VelScan {

// ZBar could not be loaded; the message names the library once and tells how to get it.
class EZBarNotLoaded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads ZBar from the library file named by --library, else the component's default file.
// Throws EZBarNotLoaded "cannot load ZBar from NAME: REASON; install libzbar0 (Debian/Ubuntu)
// or set --library".
void LoadZBar(const std::optional<std::string>& library);

} // namespace VelScan
