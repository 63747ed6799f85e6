// veldesign's command line: the command and its arguments, the options, and the help text.
#pragma once

#include "Commands.h"

#include <span>
#include <string>
#include <vector>

namespace VelDesign {

enum class TAction { Run, Help, Version };

struct TCommandLine {
    TAction Action = TAction::Run;
    std::vector<std::string> Arguments; // the command and its arguments
    TOptions Options;
};

// Parses the arguments after the program name; throws VelCli::EUsageError.
TCommandLine ParseCommandLine(std::span<const char* const> args);

std::string HelpText();

} // namespace VelDesign
