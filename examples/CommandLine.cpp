#include "CommandLine.h"

#include "cli/ArgReader.h"
#include "cli/Version.h"
#include "vel/Vel.h"

#include <exception>
#include <iostream>
#include <utility>

namespace Example {

namespace {

enum class TAction { Scan, Help, Version };

TAction Parse(int argc, char** argv, TCommandLine& line) {
    TAction action = TAction::Scan;
    VelCli::TArgReader reader({argv + 1, static_cast<std::size_t>(argc - 1)});
    bool haveFile = false;
    while (const auto arg = reader.Next()) {
        if (arg->IsFlag({"-h", "--help"}))
            action = TAction::Help;
        else if (arg->IsFlag({"--version"}))
            action = TAction::Version;
        else if (arg->Is({"--library"}))
            line.Library = reader.Value(*arg);
        else if (!arg->IsOperand())
            throw VelCli::UnknownOption(*arg);
        else if (std::exchange(haveFile, true))
            throw VelCli::EUsageError("one file only: '" + std::string(arg->Text) +
                                      "' is one too many");
        else
            line.File = arg->Text;
    }
    if (action == TAction::Scan && !haveFile)
        throw VelCli::EUsageError("no file given");
    return action;
}

std::string HelpText(const TExample& example) {
    return std::string("Usage: ") + example.Name + " [OPTIONS] " + example.File + "\n" +
           example.Description + R"(
Options:
  --library NAME   the ZBar library file to load (default libzbar.so.0)
  -h, --help       show this help and exit
  --version        show the version and exit

)" + VelCli::OptionFormsHelp +
           "\n" + VelCli::ScanExitStatusHelp;
}

} // namespace

TCommandLine ReadCommandLine(const TExample& example, int argc, char** argv) {
    TCommandLine line;
    try {
        switch (Parse(argc, argv, line)) {
        case TAction::Help:
            std::cout << HelpText(example);
            line.Answered = VelCli::esSuccess;
            break;
        case TAction::Version:
            std::cout << VelCli::VersionLine(example.Name);
            line.Answered = VelCli::esSuccess;
            break;
        case TAction::Scan:
            break;
        }
    } catch (const VelCli::EUsageError& error) {
        line.Answered = VelCli::ReportUsageError(std::cerr, example.Name, error);
    }
    return line;
}

int RunExample(const TExample& example, int argc, char** argv,
               VelCli::TExitStatus (*scan)(const std::string& file)) {
    const TCommandLine line = ReadCommandLine(example, argc, argv);
    if (line.Answered)
        return *line.Answered;
    if (line.Library)
        Vel::ZBarLibraryName = Host::FromAnsi(*line.Library);
    try {
        return scan(line.File);
    } catch (const std::exception& error) {
        std::cerr << example.Name << ": " << error.what() << '\n';
        return VelCli::esFailure;
    }
}

} // namespace Example
