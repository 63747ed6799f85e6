// TScanForm: the class of the form scanner.vfm, as veldesign code writes it.
//
// The form's components are reached by name and its published methods are the event
// handlers the form names; fill them in. main reads the form and scans the picture it is
// given:
//   PROGRAM FORM PICTURE    (FORM: scanner.vfm or a form of the same class)
#include <vel/Vel.h>
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

// Prints each barcode the component found as TYPE:DATA, as velscan does.
void PrintBarcodes(const Vel::TVel& vel) {
    for (int i = 0; i < vel.BarcodeCount(); ++i) {
        const Vel::TVelSymbol& barcode = *vel.Barcode(i);
        std::cout << Host::ToAnsi(barcode.SymbologyName() + barcode.SymbologyAddonName()) << ':'
                  << barcode.DataAnsi() << '\n';
    }
}

} // namespace

class TScanForm : public Host::TComponent {
public:
    explicit TScanForm(Host::TComponent* owner = nullptr) : Host::TComponent(owner) {}

    Vel::TVel& Vel1() const { return FormComponent<Vel::TVel>(*this, u"Vel1"); }

    void Vel1BarcodeDetected(Host::TObject* sender) {
        if (const auto* vel = dynamic_cast<const Vel::TVel*>(sender))
            PrintBarcodes(*vel);
    }
};

namespace {

Host::TClassInfo ScanFormClass() {
    Host::TClassInfo info(u"TScanForm", typeid(TScanForm), &Host::ComponentClass());
    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {
        return new TScanForm(owner);
    };
    info.Methods = {
        Host::PublishedMethod(u"Vel1BarcodeDetected", &TScanForm::Vel1BarcodeDetected),
    };
    return info;
}

// Registered while the program runs, so that reading the form finds the class by its name.
const Host::TClassRegistration ScanFormRegistration(ScanFormClass());

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
        TScanForm form;
        Host::ReadFormFile(Host::FromAnsi(argv[1]), form);
        Scan(form.Vel1(), argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << '\n';
        return 1;
    }
}
