#include "CommandLine.h"

#include "cli/ArgReader.h"
#include "cli/ExitStatus.h"

#include <cctype>

namespace VelDesign {

namespace {

std::string ParseFormat(const std::string& text) {
    if (text != "bmp" && text != "png")
        throw VelCli::EUsageError("invalid --format value '" + text + "': expected bmp or png");
    return text;
}

// A '-' followed by a digit starts a value, such as a negative property value, not an option.
bool IsNegativeNumber(const VelCli::TArgument& arg) {
    return std::isdigit(static_cast<unsigned char>(arg.Text[1])) != 0;
}

void ParseOption(const VelCli::TArgument& arg, VelCli::TArgReader& reader, TCommandLine& line) {
    TOptions& options = line.Options;
    if (arg.IsFlag({"-h", "--help"}))
        line.Action = TAction::Help;
    else if (arg.IsFlag({"--version"}))
        line.Action = TAction::Version;
    else if (arg.Is({"-p", "--package"}))
        options.Packages.push_back(reader.Value(arg));
    else if (arg.Is({"--name"}))
        options.Name = reader.Value(arg);
    else if (arg.Is({"--root"}))
        options.Root = reader.Value(arg);
    else if (arg.Is({"--export"}))
        options.ExportDir = reader.Value(arg);
    else if (arg.Is({"--format"}))
        options.Format = ParseFormat(reader.Value(arg));
    else if (arg.IsFlag({"--colour", "--color"}))
        options.Drawing = TOptions::TDrawing::Colour;
    else if (arg.IsFlag({"--ascii"}))
        options.Drawing = TOptions::TDrawing::Characters;
    else if (arg.IsFlag({"--force"}))
        options.Force = true;
    else
        throw VelCli::UnknownOption(arg);
}

} // namespace

TCommandLine ParseCommandLine(std::span<const char* const> args) {
    TCommandLine line;
    VelCli::TArgReader reader(args);
    while (const auto arg = reader.Next()) {
        if (arg->IsOperand() || IsNegativeNumber(*arg))
            line.Arguments.emplace_back(arg->Text);
        else
            ParseOption(*arg, reader, line);
    }
    return line;
}

std::string HelpText() {
    return R"(Usage: veldesign COMMAND [ARGUMENTS] [OPTIONS]

A command-line form designer: lists the component palette of design packages,
creates forms, places components on them, inspects and sets their published
properties, saves the forms as text, and writes a form's C++ side.

Commands:
  palette [PACKAGE...]               the pages and classes of the packages, with glyphs
  new FORM [--root CLASS] [--name NAME] [--force]
                                     a new empty form (root class TForm1, name Form1);
                                     an existing FORM is replaced only with --force
  place FORM CLASS [--name NAME]     puts a component of a palette class on the form
  inspect FORM [COMPONENT]           the form's components, or one component's
                                     published properties and values
  set FORM COMPONENT PROPERTY VALUE  sets a published property that forms store (not a
                                     read-only one such as About); for Picture, VALUE is a
                                     picture file to load ('' for none); for an event,
                                     the handler's method name ('' for none)
  remove FORM COMPONENT              takes a component off the form
  code FORM [FILE] [--force]         writes the C++ side of the form (its root class with
                                     the handlers it names, the class's registration and
                                     a main that reads the form and scans a picture) to
                                     FILE, or shows it; an existing FILE is replaced only
                                     with --force

Options:
  -p, --package PACKAGE   load a design package (repeatable); without any, the
                          package installed beside veldesign (libvelp.so) is loaded
  --name NAME             the name of the new form or component
  --root CLASS            the class of a new form
  --colour, --ascii       draw glyphs with ANSI colours or with characters
                          (default: colours on a terminal)
  --export DIR            also write each glyph to DIR/CLASS.bmp (or .png)
  --format bmp|png        the format of exported glyphs
  --force                 let new and code replace an existing file
  -h, --help              show this help and exit
  --version               show the version and exit

)" + std::string(VelCli::OptionFormsHelp) +
           R"(An argument of '-' and a digit is a value, such as a negative number.

)" + std::string(VelCli::DesignExitStatusHelp) +
           R"(
Examples:
  veldesign palette build/lib/libvelp.so
  veldesign palette build/lib/libvelp.so --ascii --export glyphs --format png
  veldesign new scanner.vfm --root TScanForm --name ScanForm
  veldesign place scanner.vfm TVel --name=Vel1
  veldesign set scanner.vfm Vel1 ScanLeft 10
  veldesign set scanner.vfm Vel1 Active True
  veldesign set scanner.vfm Vel1 Picture examples/samples/ean13.png
  veldesign set scanner.vfm Vel1 OnBarcodeDetected Vel1BarcodeDetected
  veldesign inspect scanner.vfm Vel1
  veldesign code scanner.vfm ScanForm.cpp
  cat scanner.vfm
)";
}

} // namespace VelDesign
