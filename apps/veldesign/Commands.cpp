#include "Commands.h"

#include "FormCode.h"
#include "GlyphOutput.h"
#include "NewFiles.h"
#include "PropertyText.h"

#include "vel/host/Designer.h"
#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <filesystem>
#include <iomanip>
#include <ostream>
#include <unistd.h>

namespace VelDesign {

namespace {

using Host::FromAnsi;
using Host::ToAnsi;

void LoadPackages(Host::TDesigner& designer, const std::vector<std::string>& packages) {
    for (const std::string& package : packages)
        designer.LoadPackage(FromAnsi(package));
}

// A designer with the packages loaded, and the form opened from its file; the form goes
// before the packages its components come from.
struct TSession {
    Host::TDesigner Designer;
    std::unique_ptr<Host::TDesignForm> Form;

    TSession(const std::string& fileName, const TOptions& options) {
        LoadPackages(Designer, options.Packages);
        Form = Designer.OpenForm(FromAnsi(fileName));
    }

    Host::TComponent& Component(const std::string& name) const {
        if (Host::SameText(FromAnsi(name), Form->Name()))
            return *Form;
        Host::TComponent* component = Form->FindComponent(FromAnsi(name));
        if (component == nullptr)
            throw Host::EComponentError(u"The form has no component " + FromAnsi(name));
        return *component;
    }
};

std::string ClassName(const Host::TComponent& component) {
    const Host::TClassInfo* info = Host::ClassInfoOf(component);
    return info ? ToAnsi(info->Name) : ToAnsi(component.ClassName());
}

bool UseColour(const TOptions& options) {
    if (options.Drawing == TOptions::TDrawing::Auto)
        return isatty(STDOUT_FILENO) != 0;
    return options.Drawing == TOptions::TDrawing::Colour;
}

void ShowItem(std::ostream& out, const Host::TPaletteItem& item, const TOptions& options) {
    const std::string name = ToAnsi(item.Class->Name);
    out << "  " << name << "    from " << ToAnsi(item.Package->FileName()) << "\n";
    if (!item.Glyph) {
        out << "    (no glyph)\n";
        return;
    }
    out << "    glyph " << item.Glyph->Width() << " x " << item.Glyph->Height() << "\n";
    if (UseColour(options))
        DrawGlyphInColour(out, *item.Glyph, "    ");
    else
        DrawGlyphInCharacters(out, *item.Glyph, "    ");
    if (!options.ExportDir.empty()) {
        std::filesystem::create_directories(options.ExportDir);
        const std::string file =
            (std::filesystem::path(options.ExportDir) / (name + "." + options.Format)).string();
        ExportGlyph(*item.Glyph, file, options.Format);
        out << "    exported to " << file << "\n";
    }
}

void ListComponents(std::ostream& out, const Host::TDesignForm& form) {
    out << ToAnsi(form.Name()) << ": " << ClassName(form) << "\n";
    for (int i = 0; i < form.ComponentCount(); ++i) {
        const Host::TComponent& component = *form.Components(i);
        out << "  " << ToAnsi(component.Name()) << ": " << ClassName(component) << "\n";
    }
}

void ShowProperties(std::ostream& out, const Host::TComponent& component) {
    const Host::TClassInfo* info = Host::ClassInfoOf(component);
    out << ToAnsi(component.Name()) << ": " << ClassName(component) << "\n";
    for (const Host::TPropertyInfo* property : info->Properties())
        out << "  " << std::left << std::setw(18) << ToAnsi(property->Name) << " "
            << PropertyText(component, *property) << "\n";
}

} // namespace

void Palette(std::ostream& out, const std::vector<std::string>& packages, const TOptions& options) {
    Host::TDesigner designer;
    LoadPackages(designer, packages);
    for (const auto& package : designer.Packages())
        out << "Package " << ToAnsi(package->FileName()) << ": " << ToAnsi(package->Description())
            << "\n";
    for (const Host::TPalettePage& page : designer.Palette()) {
        out << "Page " << ToAnsi(page.Name) << "\n";
        for (const Host::TPaletteItem& item : page.Items)
            ShowItem(out, item, options);
    }
}

void NewForm(std::ostream& out, const std::string& form, const TOptions& options) {
    const std::string root = options.Root.empty() ? "TForm1" : options.Root;
    const std::string name =
        !options.Name.empty() ? options.Name : root.substr(root.size() > 1 && root[0] == 'T');
    Host::TDesigner designer;
    const auto designForm = designer.NewForm(FromAnsi(root), FromAnsi(name));
    CheckNewFile(form, options.Force);
    Host::WriteFormFile(FromAnsi(form), *designForm);
    out << "Created " << form << " with " << name << ": " << root << "\n";
}

void Place(std::ostream& out, const std::string& form, const std::string& className,
           const TOptions& options) {
    TSession session(form, options);
    const Host::TComponent& component = session.Designer.CreateComponent(
        *session.Form, FromAnsi(className), FromAnsi(options.Name));
    Host::WriteFormFile(FromAnsi(form), *session.Form);
    out << "Placed " << ToAnsi(component.Name()) << ": " << ClassName(component) << " on " << form
        << "\n";
}

void Inspect(std::ostream& out, const std::string& form, const std::string& component,
             const TOptions& options) {
    TSession session(form, options);
    if (component.empty())
        ListComponents(out, *session.Form);
    else
        ShowProperties(out, session.Component(component));
}

void Set(std::ostream& out, const std::string& form, const std::string& component,
         const std::string& property, const std::string& value, const TOptions& options) {
    TSession session(form, options);
    Host::TComponent& target = session.Component(component);
    const Host::TPropertyInfo* info = Host::ClassInfoOf(target)->FindProperty(FromAnsi(property));
    if (info == nullptr)
        throw Host::EComponentError(FromAnsi(ClassName(target)) + u" has no property " +
                                    FromAnsi(property));
    if (IsReadOnly(*info))
        throw Host::EComponentError(FromAnsi(ClassName(target)) + u"." + info->Name +
                                    u" is read-only: a form never stores it");
    SetPropertyText(target, *info, *session.Form, value);
    Host::WriteFormFile(FromAnsi(form), *session.Form);
    out << ToAnsi(target.Name()) << "." << ToAnsi(info->Name) << " = "
        << PropertyText(target, *info) << "\n";
}

void Code(std::ostream& out, const std::string& form, const std::string& file,
          const TOptions& options) {
    const TSession session(form, options);
    const std::string code = FormCode(*session.Form, form);
    if (file.empty()) {
        out << code;
        return;
    }
    CheckNewFile(file, options.Force);
    WriteNewFile(file, code);
    out << "Wrote " << file << ": the class " << ClassName(*session.Form) << " of " << form << "\n";
}

void Remove(std::ostream& out, const std::string& form, const std::string& component,
            const TOptions& options) {
    TSession session(form, options);
    Host::TComponent& target = session.Component(component);
    if (&target == session.Form.get())
        throw Host::EComponentError(u"The form itself cannot be removed");
    const std::string name = ToAnsi(target.Name());
    delete &target;
    Host::WriteFormFile(FromAnsi(form), *session.Form);
    out << "Removed " << name << " from " << form << "\n";
}

} // namespace VelDesign
