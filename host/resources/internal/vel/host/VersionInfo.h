// The version record of a module: its fixed version numbers, language and code page, and
// the texts of its string block.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Resources.h"
#include "vel/host/String.h"

#include <array>
#include <cstdint>
#include <map>

namespace Host {

struct VEL_API TVersionInfo {
    std::array<uint16_t, 4> FileVersion{};
    std::array<uint16_t, 4> ProductVersion{};
    uint16_t Language = 0;
    uint16_t CodePage = 0;
    std::map<String, String> Strings; // FileDescription, FileVersion, ...
};

// Reads a version record (a VS_VERSIONINFO block); EReadError when it is malformed.
VEL_API TVersionInfo ReadVersionInfo(TResourceData data);

// "1.0.0.0"
VEL_API String VersionText(const std::array<uint16_t, 4>& version);

} // namespace Host
