// veldesign: a command-line form designer. It loads design packages, shows their palette,
// and creates, edits, inspects and saves forms holding the components they offer.
#include "Commands.h"

#include "vel/host/Exception.h"

#include <cctype>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr char Help[] = R"(Usage: veldesign COMMAND [ARGUMENTS] [OPTIONS]

A command-line form designer: lists the component palette of design packages, and
creates forms, places components on them, inspects and sets their published
properties, and saves the forms as text.

Commands:
  palette [PACKAGE...]               the pages and classes of the packages, with glyphs
  new FORM [--root CLASS] [--name NAME]
                                     a new empty form (root class TForm1, name Form1)
  place FORM CLASS [--name NAME]     puts a component of a palette class on the form
  inspect FORM [COMPONENT]           the form's components, or one component's
                                     published properties and values
  set FORM COMPONENT PROPERTY VALUE  sets a published property; for Picture, VALUE is a
                                     picture file to load ('' for none); for an event,
                                     the handler's method name ('' for none)
  remove FORM COMPONENT              takes a component off the form

Options:
  -p, --package PACKAGE   load a design package (repeatable); without any, the
                          package installed beside veldesign (libvelp.so) is loaded
  --name NAME             the name of the new form or component
  --root CLASS            the class of a new form
  --colour, --ascii       draw glyphs with ANSI colours or with characters
                          (default: colours on a terminal)
  --export DIR            also write each glyph to DIR/CLASS.bmp (or .png)
  --format bmp|png        the format of exported glyphs
  -h, --help              this text

Examples:
  veldesign palette build/lib/libvelp.so
  veldesign palette build/lib/libvelp.so --ascii --export glyphs --format png
  veldesign new scanner.vfm --root TScanForm --name ScanForm
  veldesign place scanner.vfm TVel --name Vel1
  veldesign set scanner.vfm Vel1 ScanLeft 10
  veldesign set scanner.vfm Vel1 Active True
  veldesign set scanner.vfm Vel1 Picture label.png
  veldesign set scanner.vfm Vel1 OnBarcodeDetected Vel1BarcodeDetected
  veldesign inspect scanner.vfm Vel1
  cat scanner.vfm
)";

struct TUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

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

struct TCommandLine {
    std::vector<std::string> Arguments;
    VelDesign::TOptions Options;
    bool Help = false;
};

TCommandLine Parse(int argc, char** argv) {
    TCommandLine line;
    const std::map<std::string, std::string VelDesign::TOptions::*> valued = {
        {"--name", &VelDesign::TOptions::Name},
        {"--root", &VelDesign::TOptions::Root},
        {"--export", &VelDesign::TOptions::ExportDir},
        {"--format", &VelDesign::TOptions::Format}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto needValue = [&]() -> std::string {
            if (i + 1 >= argc)
                throw TUsageError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "-h" || arg == "--help")
            line.Help = true;
        else if (arg == "-p" || arg == "--package")
            line.Options.Packages.push_back(needValue());
        else if (arg == "--colour" || arg == "--color")
            line.Options.Drawing = VelDesign::TOptions::TDrawing::Colour;
        else if (arg == "--ascii")
            line.Options.Drawing = VelDesign::TOptions::TDrawing::Characters;
        else if (const auto at = valued.find(arg); at != valued.end())
            line.Options.*(at->second) = needValue();
        else if (arg.size() > 1 && arg[0] == '-' &&
                 !std::isdigit(static_cast<unsigned char>(arg[1])))
            throw TUsageError("unknown option " + arg);
        else
            line.Arguments.push_back(arg);
    }
    if (line.Options.Format != "bmp" && line.Options.Format != "png")
        throw TUsageError("--format is bmp or png");
    return line;
}

void Run(TCommandLine& line) {
    auto& args = line.Arguments;
    auto& options = line.Options;
    const auto need = [&](size_t count, const char* usage) {
        if (args.size() != count)
            throw TUsageError(std::string("usage: veldesign ") + usage);
    };
    const std::string command = args.empty() ? "" : args[0];
    if (command != "new" && options.Packages.empty())
        options.Packages = DefaultPackages();
    if (command == "palette") {
        std::vector<std::string> packages(args.begin() + 1, args.end());
        VelDesign::Palette(std::cout, packages.empty() ? options.Packages : packages, options);
    } else if (command == "new") {
        need(2, "new FORM [--root CLASS] [--name NAME]");
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
    } else if (command == "remove") {
        need(3, "remove FORM COMPONENT");
        VelDesign::Remove(std::cout, args[1], args[2], options);
    } else {
        throw TUsageError(command.empty() ? "a command is needed (see --help)"
                                          : "unknown command " + command + " (see --help)");
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        TCommandLine line = Parse(argc, argv);
        if (line.Help) {
            std::cout << Help;
            return 0;
        }
        Run(line);
        return 0;
    } catch (const TUsageError& e) {
        std::cerr << "veldesign: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "veldesign: " << e.what() << "\n";
        return 1;
    }
}
