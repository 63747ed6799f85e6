// The project's version, MAJOR.MINOR, as every program shows it.
#pragma once

#include <string>
#include <string_view>

namespace VelCli {

extern const char Version[];

// What --version prints: "PROGRAM VERSION" and a line feed.
std::string VersionLine(std::string_view program);

} // namespace VelCli
