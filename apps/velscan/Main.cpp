// velscan: finds the barcodes in picture files with the Vel component.
#include "Merge.h"
#include "Options.h"
#include "ResultStream.h"
#include "Resume.h"
#include "ScanRun.h"
#include "cli/UsageError.h"
#include "cli/Version.h"

#include <vel/Engines.h>
#include <vel/host/PixelLimit.h>

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// "engines: ZBar, zxing-cpp 1.4.0": what this build reads with.
std::string EnginesLine() {
    std::string line = "engines:";
    for (const std::string& name : Vel::EngineNames())
        line += (line.back() == ':' ? " " : ", ") + name;
    return line + "\n";
}

} // namespace

int main(int argc, char** argv) {
    using namespace VelScan;
    std::ios::sync_with_stdio(false);
    if (const auto status = VelBatch::ServeAsWorker(argc, argv, Hooks()))
        return *status;
    TOptions options;
    try {
        options = ParseOptions({argv + 1, static_cast<std::size_t>(argc - 1)});
    } catch (const VelCli::EUsageError& error) {
        return VelCli::ReportUsageError(std::cerr, "velscan", error);
    }
    switch (options.Action) {
    case TAction::Help:
        std::cout << HelpText();
        return VelCli::esSuccess;
    case TAction::Version:
        std::cout << VelCli::VersionLine("velscan") << EnginesLine();
        return VelCli::esSuccess;
    case TAction::Merge:
        return RunMerge(options, std::cin, std::cerr);
    case TAction::Scan:
        break;
    }
    Host::SetMaxPicturePixels(options.Batch.Scan.MaxPixels);
    TResultStream results(STDOUT_FILENO);
    try {
        if (options.Resume)
            return RunResumed(options, std::cin, std::cerr, {.Errors = isatty(STDERR_FILENO) == 1});
        return RunScan(
            options, std::cin, results, std::cerr,
            {.Output = isatty(STDOUT_FILENO) == 1, .Errors = isatty(STDERR_FILENO) == 1});
    } catch (const std::exception& error) {
        std::cerr << "velscan: " << error.what() << '\n';
        return VelCli::esFailure;
    }
}
