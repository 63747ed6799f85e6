// The designer tool's commands. Each loads the packages it is given, works on one form
// file, and prints what it did or shows.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace VelDesign {

struct TOptions {
    std::vector<std::string> Packages;
    std::string Name;
    std::string Root;
    std::string ExportDir;
    std::string Format = "bmp";
    bool Force = false; // replace a file that new or code would create
    enum class TDrawing { Auto, Colour, Characters } Drawing = TDrawing::Auto;
};

// palette PKG...: the pages, classes and glyphs of the packages.
void Palette(std::ostream& out, const std::vector<std::string>& packages, const TOptions& options);
// new FORM: an empty form of the root class; the file must not exist unless options.Force.
void NewForm(std::ostream& out, const std::string& form, const TOptions& options);
// place FORM CLASS: a component of a palette class on the form.
void Place(std::ostream& out, const std::string& form, const std::string& className,
           const TOptions& options);
// inspect FORM [COMPONENT]: the components of the form, or one component's properties.
void Inspect(std::ostream& out, const std::string& form, const std::string& component,
             const TOptions& options);
// set FORM COMPONENT PROPERTY VALUE
void Set(std::ostream& out, const std::string& form, const std::string& component,
         const std::string& property, const std::string& value, const TOptions& options);
// code FORM [FILE]: the C++ side of the form, written to FILE (which must not exist unless
// options.Force), or to out without FILE.
void Code(std::ostream& out, const std::string& form, const std::string& file,
          const TOptions& options);
// remove FORM COMPONENT
void Remove(std::ostream& out, const std::string& form, const std::string& component,
            const TOptions& options);

} // namespace VelDesign
