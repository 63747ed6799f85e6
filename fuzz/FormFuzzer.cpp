// Reads arbitrary text as a stored form and checks that what it read is stored stably:
// written, read again and written again, the text is the first write's. The root is
// designing, as in the designer, so that TVel's stored Active never loads ZBar. Host
// exceptions are the expected way to refuse a form; a written form that cannot be read
// back, or that changes, is a finding.
#include "vel/Loader.h"
#include "vel/VelClass.h"
#include "vel/host/ClassRegistry.h"
#include "vel/host/Component.h"
#include "vel/host/Exception.h"
#include "vel/host/Forms.h"
#include "vel/host/PixelLimit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

// The form's root: a caption (a stored string, which TVel lacks) and the handler forms
// name. Like the designer's forms it also takes any other identifier as a method.
class TFuzzForm : public Host::TComponent {
public:
    explicit TFuzzForm(Host::TComponent* owner = nullptr) : Host::TComponent(owner) {
        SetDesigning(true);
    }

    Host::String Caption() const { return FCaption; }
    void SetCaption(const Host::String& value) { FCaption = value; }
    void Vel1BarcodeDetected(Host::TObject*) {}

private:
    Host::String FCaption;
};

Host::TClassInfo MakeFuzzFormClass() {
    Host::TClassInfo info(u"TFuzzForm", typeid(TFuzzForm), &Host::ComponentClass());
    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {
        return new TFuzzForm(owner);
    };
    info.OwnProperties = {Host::StringProperty<TFuzzForm>(
        u"Caption", &TFuzzForm::Caption, &TFuzzForm::SetCaption,
        Host::TStorage{true, Host::TPropertyValue(Host::String())})};
    info.Methods = {Host::PublishedMethod(u"Vel1BarcodeDetected", &TFuzzForm::Vel1BarcodeDetected)};
    info.PublishesAnyMethod = true;
    return info;
}

const Host::TClassRegistration FuzzFormRegistration(MakeFuzzFormClass());

[[noreturn]] void Finding(std::string_view what, std::string_view first, std::string_view second) {
    std::cerr << what << "\n--- first write:\n" << first << "\n--- second:\n" << second << '\n';
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Host::SetMaxPicturePixels(1u << 20);
    Vel::TVelClass(); // registers TVel, so that forms create it by name
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TFuzzForm form;
    try {
        Host::ReadForm(text, form);
    } catch (const Host::Exception&) {
        return 0;
    }
    if (Vel::LoadedLibrary())
        Finding("reading the form loaded ZBar", text, {});
    const Host::AnsiString first = Host::WriteForm(form);
    TFuzzForm copy;
    try {
        Host::ReadForm(first, copy);
    } catch (const Host::Exception& error) {
        Finding("the written form cannot be read back: " + Host::ToUtf8(error.Message()), first,
                {});
    }
    const Host::AnsiString second = Host::WriteForm(copy);
    if (second != first)
        Finding("the form changed on its second write", first, second);
    return 0;
}
