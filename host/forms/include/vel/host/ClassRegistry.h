// The class registry: component and persistent classes by name, with their published
// properties in declared order and, for a form's root class, its published methods.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/NotifyEvent.h"
#include "vel/host/PropertyInfo.h"
#include "vel/host/String.h"

// The rules the registry finds names by (SameText) and checks method names by
// (IsValidIdent), for its users to match names the same way.
#include "vel/host/Identifier.h"
#include "vel/host/TextCase.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <typeindex>
#include <vector>

namespace Host {

class TComponent;

// The platforms a component is offered for, as a bit set of platform identifiers.
inline constexpr uint32_t pidWin32 = 0x0001;
inline constexpr uint32_t pidWin64 = 0x0002;

struct VEL_API TComponentPlatformsAttribute {
    uint32_t Platforms = 0;
};

// A method of a root class that stored forms name as event handlers.
struct VEL_API TMethodInfo {
    String Name;
    std::function<TNotifyEvent(TComponent& root)> Bind;
};

template <class T> TMethodInfo PublishedMethod(String name, void (T::*method)(TObject*)) {
    return {std::move(name), [method](TComponent& root) {
                return TNotifyEvent(&static_cast<T&>(root), method);
            }};
}

class VEL_API TClassInfo {
public:
    TClassInfo(String name, std::type_index type, const TClassInfo* parent)
        : Name(std::move(name)), Type(type), Parent(parent) {}

    String Name;
    std::type_index Type;
    const TClassInfo* Parent;
    // Creates an instance owned by owner; empty for classes that forms cannot create.
    std::function<TComponent*(TComponent* owner)> Create;
    // The properties this class adds, in declared order.
    std::vector<TPropertyInfo> OwnProperties;
    std::vector<TDefinedProperty> DefinedProperties;
    std::vector<TMethodInfo> Methods;
    // Classes the designer makes up for the forms it edits: any identifier names a method
    // (the designer declares it), whose handler does nothing there.
    bool PublishesAnyMethod = false;
    std::optional<TComponentPlatformsAttribute> ComponentPlatforms;

    // Every published property, the ancestors' first, each class's in declared order.
    std::vector<const TPropertyInfo*> Properties() const;
    // The property with the name (compared without regard to ASCII case), or null.
    const TPropertyInfo* FindProperty(const String& name) const;
    const TDefinedProperty* FindDefinedProperty(const String& name) const;
    // The handler for the published method bound to root (an instance of this class), named
    // after the method; unassigned when the class publishes no such method.
    TNotifyEvent MethodHandler(TComponent& root, const String& name) const;
    bool InheritsFrom(const TClassInfo& other) const;
};

// An object whose class exists only at run time (a form the designer edits) tells its class
// itself instead of by its C++ type.
class VEL_API IRuntimeClass {
public:
    virtual const TClassInfo& RuntimeClass() const = 0;

protected:
    ~IRuntimeClass() = default;
};

// Adds the class under its name and C++ type. EComponentError when another class already
// has the name. The class info must outlive its registration.
VEL_API void RegisterClass(const TClassInfo& info);
// Removes the class if it is registered.
VEL_API void UnRegisterClass(const TClassInfo& info);
// The class with the name (compared without regard to ASCII case), or null.
VEL_API const TClassInfo* FindClass(const String& name);
// The registered class of the object, or null.
VEL_API const TClassInfo* ClassInfoOf(const TPersistent& object);

// Registers a class for as long as it lives: a module keeps one per class it offers, so its
// classes leave the registry when the module is unloaded.
class VEL_API TClassRegistration {
public:
    explicit TClassRegistration(TClassInfo info) : FInfo(std::move(info)) { RegisterClass(FInfo); }
    ~TClassRegistration() { UnRegisterClass(FInfo); }
    TClassRegistration(const TClassRegistration&) = delete;
    TClassRegistration& operator=(const TClassRegistration&) = delete;

    const TClassInfo& Info() const noexcept { return FInfo; }

private:
    TClassInfo FInfo;
};

// The host's own classes.
VEL_API const TClassInfo& ComponentClass();
VEL_API const TClassInfo& PictureClass();

} // namespace Host
