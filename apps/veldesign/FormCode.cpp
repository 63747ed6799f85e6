#include "FormCode.h"

#include "vel/host/ClassRegistry.h"
#include "vel/host/Errors.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <filesystem>
#include <memory>
#include <variant>
#include <vector>

namespace VelDesign {

namespace {

using Host::ToAnsi;

constexpr char VelClass[] = "Vel::TVel";
constexpr std::size_t ColumnLimit = 100; // that of the project's .clang-format

struct TComponentCode {
    std::string Name;
    std::string Class; // the C++ class, with its namespace
};

// What the source is made from: the classes, components and handler names of the form.
struct TFormCode {
    std::string Class;    // the root class, "TScanForm"
    std::string BaseName; // the class without its leading T, "ScanForm"
    std::string FormFile; // the form file's own name, as the opening comment shows it
    std::vector<TComponentCode> Components;
    std::vector<std::string> Handlers; // each method once, in the form's order
};

// The C++ name of the component's class, from the type the class registry holds.
std::string CppClass(const Host::TComponent& component) {
    const Host::TClassInfo* info = Host::ClassInfoOf(component);
    int status = -1;
    const std::unique_ptr<char, void (*)(void*)> name(
        info ? abi::__cxa_demangle(info->Type.name(), nullptr, nullptr, &status) : nullptr,
        std::free);
    return status == 0 ? name.get() : "Host::TComponent";
}

// Adds the names of the component's event handlers that handlers does not hold yet (method
// names are compared without regard to case, as forms bind them).
void AddHandlers(const Host::TComponent& component, std::vector<std::string>& handlers) {
    const Host::TClassInfo* info = Host::ClassInfoOf(component);
    if (info == nullptr)
        return;
    for (const Host::TPropertyInfo* property : info->Properties()) {
        if (property->Kind != Host::TTypeKind::tkMethod)
            continue;
        const auto event = std::get<Host::TNotifyEvent>(property->Get(component));
        const std::string name = ToAnsi(event.Name());
        const auto same = [&](const std::string& known) {
            return Host::SameText(Host::FromAnsi(known), event.Name());
        };
        if (!name.empty() && std::ranges::none_of(handlers, same))
            handlers.push_back(name);
    }
}

// Control characters of a file name would break the comment that names it.
std::string Printable(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return name;
}

TFormCode Describe(const Host::TComponent& form, const std::string& formFile) {
    TFormCode code;
    code.Class = ToAnsi(Host::ClassInfoOf(form)->Name);
    code.BaseName = code.Class.substr(code.Class.size() > 1 && code.Class[0] == 'T');
    code.FormFile = Printable(std::filesystem::path(formFile).filename().string());
    for (int i = 0; i < form.ComponentCount(); ++i) {
        const Host::TComponent& component = *form.Components(i);
        code.Components.push_back({ToAnsi(component.Name()), CppClass(component)});
        AddHandlers(component, code.Handlers);
    }
    return code;
}

bool HasVel(const TFormCode& code) {
    return std::ranges::any_of(code.Components,
                               [](const TComponentCode& c) { return c.Class == VelClass; });
}

std::string Opening(const TFormCode& code) {
    return "// " + code.Class + ": the class of the form " + code.FormFile +
           ", as veldesign code writes it.\n" + R"(//
// The form's components are reached by name and its published methods are the event
// handlers the form names; fill them in. main reads the form and scans the picture it is
// given:
//   PROGRAM FORM PICTURE    (FORM: )" +
           code.FormFile + " or a form of the same class)\n";
}

// The includes, and the helpers of the class: a checked component accessor and, for the
// handlers, the printing of barcodes.
std::string IncludesAndHelpers(const TFormCode& code) {
    std::string text = R"(#include <vel/Vel.h>
#include <vel/host/ClassRegistry.h>
#include <vel/host/Errors.h>
#include <vel/host/Forms.h>

#include <exception>
#include <iostream>

namespace {

// The component of the form with the name, which must be a T.
template <class T> T& FormComponent(const Host::TComponent& form, const Host::String& name) {
    if (auto* component = dynamic_cast<T*>(form.FindComponent(name)))
        return *component;
    throw Host::EComponentError(u"The form has no component " + name);
}
)";
    if (!code.Handlers.empty())
        text += R"(
// Prints each barcode the component found as TYPE:DATA, as velscan does.
void PrintBarcodes(const Vel::TVel& vel) {
    for (int i = 0; i < vel.BarcodeCount(); ++i) {
        const Vel::TVelSymbol& barcode = *vel.Barcode(i);
        std::cout << Host::ToAnsi(barcode.SymbologyName() + barcode.SymbologyAddonName()) << ':'
                  << barcode.DataAnsi() << '\n';
    }
}
)";
    return text + "\n} // namespace\n";
}

// A member function on one line when it fits, as clang-format leaves it, else its body apart.
std::string MemberFunction(const std::string& head, const std::string& statement) {
    const std::string line = "    " + head + " { " + statement + " }\n";
    if (line.size() - 1 <= ColumnLimit)
        return line;
    return "    " + head + " {\n        " + statement + "\n    }\n";
}

std::string ClassDefinition(const TFormCode& code) {
    std::string text = "\nclass " + code.Class + " : public Host::TComponent {\npublic:\n" +
                       "    explicit " + code.Class +
                       "(Host::TComponent* owner = nullptr) : Host::TComponent(owner) {}\n\n";
    for (const TComponentCode& component : code.Components)
        text += MemberFunction(component.Class + "& " + component.Name + "() const",
                               "return FormComponent<" + component.Class + ">(*this, u\"" +
                                   component.Name + "\");");
    for (const std::string& handler : code.Handlers)
        text += "\n    void " + handler +
                "(Host::TObject* sender) {\n"
                "        if (const auto* vel = dynamic_cast<const Vel::TVel*>(sender))\n"
                "            PrintBarcodes(*vel);\n"
                "    }\n";
    return text + "};\n";
}

std::string Registration(const TFormCode& code) {
    std::string text = "\nnamespace {\n\nHost::TClassInfo " + code.BaseName +
                       "Class() {\n    Host::TClassInfo info(u\"" + code.Class + "\", typeid(" +
                       code.Class + "), &Host::ComponentClass());\n" +
                       "    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {\n" +
                       "        return new " + code.Class + "(owner);\n    };\n";
    if (!code.Handlers.empty()) {
        text += "    info.Methods = {\n";
        for (const std::string& handler : code.Handlers)
            text += "        Host::PublishedMethod(u\"" + handler + "\", &" + code.Class +
                    "::" + handler + "),\n";
        text += "    };\n";
    }
    return text + "    return info;\n}\n\n" +
           "// Registered while the program runs, so that reading the form finds the class by "
           "its name.\n"
           "const Host::TClassRegistration " +
           code.BaseName + "Registration(" + code.BaseName + "Class());\n";
}

std::string Main(const TFormCode& code) {
    std::string text = R"(
// Activates the component (a form may store it inactive), loads the picture into it and
// scans it; the form's handlers print what it finds.
void Scan(Vel::TVel& vel, const char* picture) {
    vel.SetActive(true);
    vel.Picture()->LoadFromFile(Host::FromAnsi(picture));
    vel.Scan();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " FORM PICTURE\n";
        return 1;
    }
    try {
)";
    text += "        " + code.Class + " form;\n" +
            "        Host::ReadFormFile(Host::FromAnsi(argv[1]), form);\n";
    for (const TComponentCode& component : code.Components)
        if (component.Class == VelClass)
            text += "        Scan(form." + component.Name + "(), argv[2]);\n";
    return text + R"(        return 0;
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << '\n';
        return 1;
    }
}
)";
}

} // namespace

std::string FormCode(const Host::TComponent& form, const std::string& formFile) {
    const TFormCode code = Describe(form, formFile);
    if (!HasVel(code))
        throw Host::EComponentError(Host::FromAnsi(formFile) +
                                    u" holds no TVel to scan with: place one first");
    return Opening(code) + IncludesAndHelpers(code) + ClassDefinition(code) + Registration(code) +
           Main(code);
}

} // namespace VelDesign
