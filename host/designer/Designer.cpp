#include "vel/host/Designer.h"

#include "vel/host/Errors.h"
#include "vel/host/FormText.h"
#include "vel/host/Forms.h"
#include "vel/host/LittleEndian.h"
#include "vel/host/ModuleEntry.h"
#include "vel/host/NumberText.h"
#include "vel/host/RegisterComponents.h"
#include "vel/host/TextCase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace Host {

namespace {

// A bare file name that exists in the current folder is meant as that file, not as a name
// for the platform loader's search.
String ModulePath(const String& fileName) {
    const AnsiString name = ToAnsi(fileName);
    if (name.find('/') == AnsiString::npos && std::filesystem::exists(name))
        return u"./" + fileName;
    return fileName;
}

// Sets the designer's RegisterComponents handler for as long as it lives.
class TRegistrationScope {
public:
    explicit TRegistrationScope(TRegisterComponentsProc proc)
        : FPrevious(std::exchange(RegisterComponentsProc(), std::move(proc))) {}
    ~TRegistrationScope() { RegisterComponentsProc() = std::move(FPrevious); }
    TRegistrationScope(const TRegistrationScope&) = delete;
    TRegistrationScope& operator=(const TRegistrationScope&) = delete;

private:
    TRegisterComponentsProc FPrevious;
};

String FormClassName(const String& fileName) {
    std::ifstream in(ToAnsi(fileName), std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf()))
        throw EFOpenError(u"Cannot open form file " + fileName);
    try {
        return ParseFormText(text.str()).ClassName;
    } catch (const EReadError& e) {
        throw EReadError(fileName + u": " + e.Message());
    }
}

} // namespace

TDesignPackage::TDesignPackage(String fileName, TModuleHandle handle)
    : FFileName(std::move(fileName)), FHandle(handle), FResources(ModuleResources(handle)) {}

TDesignPackage::~TDesignPackage() {
    FreeModule(FHandle);
}

String TDesignPackage::Description() const {
    const auto data = FResources
                          ? FindResource(*FResources, TResourceType::rtRCData, u"DESCRIPTION")
                          : std::nullopt;
    String text;
    for (size_t i = 0; data && i + 1 < data->size(); i += 2) {
        const char16_t c = ReadWord(data->data() + i);
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

TDesigner::~TDesigner() {
    FPalette.clear();
    while (!FPackages.empty())
        FPackages.pop_back();
}

const TDesignPackage& TDesigner::LoadPackage(const String& fileName) {
    const TModuleHandle handle = LoadModule(ModulePath(fileName));
    if (handle == nullptr)
        throw EPackageError(u"Cannot load package " + fileName + u": " +
                            SysErrorMessage(GetLastModuleError()));
    for (const auto& package : FPackages)
        if (package->Handle() == handle) {
            FreeModule(handle);
            return *package;
        }
    FPackages.push_back(std::make_unique<TDesignPackage>(fileName, handle));
    try {
        Register(*FPackages.back());
    } catch (...) {
        Forget(*FPackages.back());
        FPackages.pop_back();
        throw;
    }
    return *FPackages.back();
}

void TDesigner::Register(TDesignPackage& package) {
    using TRegister = void (*)();
    auto* entry =
        reinterpret_cast<TRegister>(GetOwnModuleEntry(package.Handle(), PackageRegisterSymbol));
    if (entry == nullptr)
        throw EPackageError(u"Package " + package.FileName() + u" exports no " +
                            FromAnsi(PackageRegisterSymbol));
    const TRegistrationScope scope([&](const String& page, std::span<const TClassInfo* const> c) {
        AddToPalette(package, page, c);
    });
    try {
        entry();
    } catch (const Exception& e) {
        throw EPackageError(u"Package " + package.FileName() + u" failed to register: " +
                            e.Message());
    }
}

void TDesigner::AddToPalette(const TDesignPackage& package, const String& page,
                             std::span<const TClassInfo* const> classes) {
    auto at = std::find_if(FPalette.begin(), FPalette.end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, page); });
    if (at == FPalette.end())
        at = FPalette.insert(FPalette.end(), TPalettePage{page, {}});
    for (const TClassInfo* info : classes) {
        if (FindItem(info->Name) != nullptr)
            continue;
        std::shared_ptr<const TBitmap> glyph;
        const String glyphName = UpperCase(info->Name);
        if (package.Resources() &&
            FindResource(*package.Resources(), TResourceType::rtBitmap, glyphName))
            glyph = LoadResourceBitmap(*package.Resources(), glyphName);
        at->Items.push_back({info, std::move(glyph), &package});
    }
}

void TDesigner::Forget(const TDesignPackage& package) {
    for (TPalettePage& page : FPalette)
        std::erase_if(page.Items,
                      [&](const TPaletteItem& item) { return item.Package == &package; });
    std::erase_if(FPalette, [](const TPalettePage& page) { return page.Items.empty(); });
}

const TPaletteItem* TDesigner::FindItem(const String& className) const {
    for (const TPalettePage& page : FPalette)
        for (const TPaletteItem& item : page.Items)
            if (SameText(item.Class->Name, className))
                return &item;
    return nullptr;
}

std::unique_ptr<TDesignForm> TDesigner::NewForm(const String& className, const String& name) const {
    auto form = std::make_unique<TDesignForm>(className);
    form->SetName(name);
    return form;
}

std::unique_ptr<TDesignForm> TDesigner::OpenForm(const String& fileName) const {
    auto form = std::make_unique<TDesignForm>(FormClassName(fileName));
    ReadFormFile(fileName, *form);
    return form;
}

TComponent& TDesigner::CreateComponent(TDesignForm& form, const String& className,
                                       const String& name) const {
    const TPaletteItem* item = FindItem(className);
    if (item == nullptr)
        throw EComponentError(u"Class " + className + u" is not on the palette");
    String newName = name;
    if (newName.empty()) {
        const String base = item->Class->Name.substr(item->Class->Name[0] == u'T' ? 1 : 0);
        for (int n = 1; newName.empty() || form.FindComponent(newName) != nullptr; ++n)
            newName = base + IntToStr(n);
    }
    std::unique_ptr<TComponent> component(item->Class->Create(&form));
    component->SetDesigning(true);
    component->SetName(newName);
    return *component.release();
}

} // namespace Host
