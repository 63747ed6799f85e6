// The command line both examples take, "[--library NAME] FILE", with --help and --version,
// read with the argument reader every program of the project uses, and the main around their
// scan.
#pragma once

#include "cli/ExitStatus.h"

#include <optional>
#include <string>

namespace Example {

// What --help shows of an example.
struct TExample {
    const char* Name;        // "scan_gray"
    const char* File;        // what FILE is, e.g. "FILE.pgm"
    const char* Description; // a few lines on what the example does
};

struct TCommandLine {
    std::string File;
    std::optional<std::string> Library; // the ZBar library file to load
    // Set when the command line was answered here (--help, --version, a usage error):
    // the example then exits with this status.
    std::optional<VelCli::TExitStatus> Answered;
};

TCommandLine ReadCommandLine(const TExample& example, int argc, char** argv);

// Reads the command line, loads ZBar from --library when given, and scans the file; an
// error is printed after the example's name and ends it with the failure status.
int RunExample(const TExample& example, int argc, char** argv,
               VelCli::TExitStatus (*scan)(const std::string& file));

} // namespace Example
