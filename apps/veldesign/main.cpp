// veldesign: a command-line form designer. It loads design packages, shows their palette,
// and creates, edits, inspects and saves forms holding the components they offer.
#include "CommandLine.h"
#include "Commands.h"
#include "NewFiles.h"
#include "cli/ExitStatus.h"
#include "cli/UsageError.h"
#include "cli/Version.h"

#include "vel/host/Errors.h"

#include <filesystem>
#include <iostream>

namespace {

using VelCli::EUsageError;
using VelDesign::EFileError;

// The design package installed beside the tool: the build tree's lib/, or the install's.
std::vector<std::string> DefaultPackages() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    for (const char* folder : {"../lib", VELDESIGN_LIBDIR}) {
        const auto package = self.parent_path() / folder / "libvelp.so";
        if (std::filesystem::exists(package))
            return {package.lexically_normal().string()};
    }
    return {};
}

void Run(VelDesign::TCommandLine& line) {
    auto& args = line.Arguments;
    auto& options = line.Options;
    const auto need = [&](size_t count, const char* usage) {
        if (args.size() != count)
            throw EUsageError(std::string("usage: veldesign ") + usage);
    };
    const std::string command = args.empty() ? "" : args[0];
    if (command != "new" && options.Packages.empty())
        options.Packages = DefaultPackages();
    if (command == "palette") {
        std::vector<std::string> packages(args.begin() + 1, args.end());
        VelDesign::Palette(std::cout, packages.empty() ? options.Packages : packages, options);
    } else if (command == "new") {
        need(2, "new FORM [--root CLASS] [--name NAME] [--force]");
        VelDesign::NewForm(std::cout, args[1], options);
    } else if (command == "place") {
        need(3, "place FORM CLASS [--name NAME]");
        VelDesign::Place(std::cout, args[1], args[2], options);
    } else if (command == "inspect") {
        if (args.size() != 2)
            need(3, "inspect FORM [COMPONENT]");
        VelDesign::Inspect(std::cout, args[1], args.size() == 3 ? args[2] : "", options);
    } else if (command == "set") {
        need(5, "set FORM COMPONENT PROPERTY VALUE");
        VelDesign::Set(std::cout, args[1], args[2], args[3], args[4], options);
    } else if (command == "code") {
        if (args.size() != 2)
            need(3, "code FORM [FILE] [--force]");
        VelDesign::Code(std::cout, args[1], args.size() == 3 ? args[2] : "", options);
    } else if (command == "remove") {
        need(3, "remove FORM COMPONENT");
        VelDesign::Remove(std::cout, args[1], args[2], options);
    } else {
        throw EUsageError(command.empty() ? "a command is needed"
                                          : "unknown command '" + command + "'");
    }
}

// A form, picture or glyph file that could not be read or written, or a file that would be
// replaced without --force, is a file error; anything else a command refuses (a name, a
// value, a package that does not load) is a failure.
VelCli::TExitStatus StatusOf(const std::exception& error) {
    const bool fileError = dynamic_cast<const EFileError*>(&error) ||
                           dynamic_cast<const Host::EFOpenError*>(&error) ||
                           dynamic_cast<const Host::EFCreateError*>(&error) ||
                           dynamic_cast<const Host::EWriteError*>(&error) ||
                           dynamic_cast<const Host::EReadError*>(&error) ||
                           dynamic_cast<const Host::EInvalidGraphic*>(&error) ||
                           dynamic_cast<const std::filesystem::filesystem_error*>(&error);
    return fileError ? VelCli::esFileError : VelCli::esFailure;
}

} // namespace

int main(int argc, char** argv) {
    using VelDesign::TAction;
    try {
        VelDesign::TCommandLine line =
            VelDesign::ParseCommandLine({argv + 1, static_cast<std::size_t>(argc - 1)});
        switch (line.Action) {
        case TAction::Help:
            std::cout << VelDesign::HelpText();
            return VelCli::esSuccess;
        case TAction::Version:
            std::cout << VelCli::VersionLine("veldesign");
            return VelCli::esSuccess;
        case TAction::Run:
            break;
        }
        Run(line);
        return VelCli::esSuccess;
    } catch (const EUsageError& error) {
        return VelCli::ReportUsageError(std::cerr, "veldesign", error);
    } catch (const std::exception& error) {
        std::cerr << "veldesign: " << error.what() << "\n";
        return StatusOf(error);
    }
}
