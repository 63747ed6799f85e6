// Runs a program as a child process with a given standard input and collects its standard
// output, standard error and exit status.
#pragma once

#include <string>
#include <vector>

namespace VelScanTest {

struct TProcessResult {
    int ExitStatus = -1; // the exit code, or -1 when the process was killed by a signal
    std::string Out;
    std::string Err;
};

TProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = {});

// The arguments as exec and posix_spawn take them (which change none of them): pointers to the
// strings, which must outlive them, ended by a null pointer.
std::vector<char*> ExecArguments(const std::vector<std::string>& argv);

} // namespace VelScanTest
