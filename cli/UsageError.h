// A command line a program cannot run, and how every program reports one.
#pragma once

#include "cli/ExitStatus.h"

#include <ostream>
#include <stdexcept>
#include <string_view>

namespace VelCli {

// The message names the option or value at fault.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints "PROGRAM: MESSAGE" and where to find the program's help; returns the status of a
// usage error.
TExitStatus ReportUsageError(std::ostream& err, std::string_view program, const EUsageError& error);

} // namespace VelCli
