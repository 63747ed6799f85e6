// The designer: loads design packages, runs their registration once, keeps the component
// palette (pages of classes with their glyphs), and makes and opens the forms it edits.
// Every component it creates is designing for its whole life.
#pragma once

#include "vel/host/Bitmap.h"
#include "vel/host/DesignForm.h"
#include "vel/host/DynamicLibrary.h"
#include "vel/host/Exception.h"
#include "vel/host/Export.h"
#include "vel/host/Resources.h"

#include <memory>
#include <vector>

namespace Host {

// A design package that cannot be loaded or registered.
class VEL_API EPackageError : public Exception {
public:
    using Exception::Exception;
};

class VEL_API TDesignPackage {
public:
    TDesignPackage(String fileName, TModuleHandle handle);
    ~TDesignPackage();
    TDesignPackage(const TDesignPackage&) = delete;
    TDesignPackage& operator=(const TDesignPackage&) = delete;

    const String& FileName() const noexcept { return FFileName; }
    TModuleHandle Handle() const noexcept { return FHandle; }
    // The package's resources, or null when it carries none.
    const TResourceTable* Resources() const noexcept { return FResources; }
    // The package's description (its DESCRIPTION record), empty when it has none.
    String Description() const;

private:
    String FFileName;
    TModuleHandle FHandle;
    const TResourceTable* FResources;
};

struct VEL_API TPaletteItem {
    const TClassInfo* Class;
    // The bitmap named after the class in capitals, from the registering package; null
    // when the package has none.
    std::shared_ptr<const TBitmap> Glyph;
    const TDesignPackage* Package;
};

struct VEL_API TPalettePage {
    String Name;
    std::vector<TPaletteItem> Items;
};

class VEL_API TDesigner {
public:
    TDesigner() = default;
    // Unloads the packages; destroy the forms holding their components first.
    ~TDesigner();
    TDesigner(const TDesigner&) = delete;
    TDesigner& operator=(const TDesigner&) = delete;

    // Loads the package and runs its registration; a package already loaded is not
    // registered again. EPackageError naming the file when it cannot be loaded, exports no
    // registration, or its registration fails (nothing of it stays then).
    const TDesignPackage& LoadPackage(const String& fileName);

    const std::vector<std::unique_ptr<TDesignPackage>>& Packages() const noexcept {
        return FPackages;
    }
    const std::vector<TPalettePage>& Palette() const noexcept { return FPalette; }
    // The palette item of the class, or null.
    const TPaletteItem* FindItem(const String& className) const;

    // A new empty form of the class, with the name.
    std::unique_ptr<TDesignForm> NewForm(const String& className, const String& name) const;
    // Reads a form file; its classes must be on the palette (or be the host's).
    std::unique_ptr<TDesignForm> OpenForm(const String& fileName) const;

    // Places a component of a palette class on the form; an empty name gives the class name
    // without its leading T and the first free number (Vel1). EComponentError for a class
    // that is not on the palette or a name that is not valid or not free.
    TComponent& CreateComponent(TDesignForm& form, const String& className,
                                const String& name) const;

private:
    void Register(TDesignPackage& package);
    void AddToPalette(const TDesignPackage& package, const String& page,
                      std::span<const TClassInfo* const> classes);
    void Forget(const TDesignPackage& package);

    std::vector<std::unique_ptr<TDesignPackage>> FPackages;
    std::vector<TPalettePage> FPalette;
};

} // namespace Host
