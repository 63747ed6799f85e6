#include "vel/host/ClassRegistry.h"

#include "vel/host/Component.h"
#include "vel/host/Errors.h"
#include "vel/host/Identifier.h"
#include "vel/host/TextCase.h"

#include <map>

namespace Host {

namespace {

struct TRegistry {
    std::map<String, const TClassInfo*> ByName; // by upper-case name
    std::map<std::type_index, const TClassInfo*> ByType;
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

std::vector<const TPropertyInfo*> TClassInfo::Properties() const {
    std::vector<const TPropertyInfo*> all =
        Parent ? Parent->Properties() : std::vector<const TPropertyInfo*>{};
    for (const TPropertyInfo& property : OwnProperties)
        all.push_back(&property);
    return all;
}

const TPropertyInfo* TClassInfo::FindProperty(const String& name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const TPropertyInfo& property : c->OwnProperties)
            if (SameText(property.Name, name))
                return &property;
    return nullptr;
}

const TDefinedProperty* TClassInfo::FindDefinedProperty(const String& name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const TDefinedProperty& property : c->DefinedProperties)
            if (SameText(property.Name, name))
                return &property;
    return nullptr;
}

TNotifyEvent TClassInfo::MethodHandler(TComponent& root, const String& name) const {
    TNotifyEvent handler;
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const TMethodInfo& method : c->Methods)
            if (SameText(method.Name, name)) {
                handler = method.Bind(root);
                handler.SetName(method.Name);
                return handler;
            }
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        if (c->PublishesAnyMethod && IsValidIdent(name)) {
            handler = TNotifyEvent([](TObject*) {}, &root);
            handler.SetName(name);
            return handler;
        }
    return handler;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

void RegisterClass(const TClassInfo& info) {
    TRegistry& registry = Registry();
    const auto [at, added] = registry.ByName.emplace(UpperCase(info.Name), &info);
    if (!added && at->second != &info)
        throw EComponentError(u"A class named " + info.Name + u" is already registered");
    registry.ByType.emplace(info.Type, &info);
}

void UnRegisterClass(const TClassInfo& info) {
    TRegistry& registry = Registry();
    if (const auto at = registry.ByName.find(UpperCase(info.Name));
        at != registry.ByName.end() && at->second == &info)
        registry.ByName.erase(at);
    if (const auto at = registry.ByType.find(info.Type);
        at != registry.ByType.end() && at->second == &info)
        registry.ByType.erase(at);
}

const TClassInfo* FindClass(const String& name) {
    const TRegistry& registry = Registry();
    const auto at = registry.ByName.find(UpperCase(name));
    return at == registry.ByName.end() ? nullptr : at->second;
}

const TClassInfo* ClassInfoOf(const TPersistent& object) {
    if (const auto* runtime = dynamic_cast<const IRuntimeClass*>(&object))
        return &runtime->RuntimeClass();
    const TRegistry& registry = Registry();
    const auto at = registry.ByType.find(typeid(object));
    return at == registry.ByType.end() ? nullptr : at->second;
}

} // namespace Host
