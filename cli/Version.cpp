#include "cli/Version.h"

namespace VelCli {

const char Version[] = VEL_VERSION;

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + Version + "\n";
}

} // namespace VelCli
