// Components: persistent objects with a name, an owner that destroys them, and the state
// flags the host's form reader and designer set.
#pragma once

#include "vel/host/ComponentState.h"
#include "vel/host/Export.h"
#include "vel/host/Persistent.h"
#include "vel/host/String.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Host {

class VEL_API TComponent : public TPersistent {
public:
    // A component with an empty name and an empty state. With an owner, the owner keeps it
    // in its component list and destroys it; a component of a designing owner is designing.
    explicit TComponent(TComponent* owner);
    // Destroys the owned components, last first, then leaves the owner's list.
    ~TComponent() override;

    TComponent* Owner() const noexcept { return FOwner; }

    const String& Name() const noexcept { return FName; }
    // An empty name or an identifier (a letter or '_', then letters, digits or '_') that no
    // other component of the same owner has (compared without regard to ASCII case);
    // otherwise EComponentError naming the value.
    void SetName(const String& name);

    int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
    // The index-th owned component in the order they joined; EComponentError when out of range.
    TComponent* Components(int index) const;
    // The owned component with the name (compared without regard to ASCII case), or null.
    TComponent* FindComponent(const String& name) const;

    // Makes this component the owner of component, taking it from its previous owner.
    // EComponentError when its name clashes with one of this component's components.
    void InsertComponent(TComponent* component);
    // Releases an owned component: it stays alive with no owner.
    void RemoveComponent(TComponent* component);

    TComponentState ComponentState() const noexcept { return FState; }
    // Set by the designer; applies to the owned components too.
    void SetDesigning(bool designing);
    // Set by the form reader while it reads this component's stored properties.
    void SetLoading(bool loading);

    // Called by the form reader once all stored properties are read. This version clears
    // csLoading; overrides call it first.
    virtual void Loaded();

    intptr_t Tag() const noexcept { return FTag; }
    void SetTag(intptr_t tag) noexcept { FTag = tag; }

private:
    void CheckUniqueName(const String& name, const TComponent* except) const;
    // The owned components with a name, by the name in upper case, so that finding one and
    // checking a new name for clashes take constant time however many there are.
    void IndexName(TComponent& component);
    void UnindexName(const TComponent& component);

    TComponent* FOwner = nullptr;
    String FName;
    std::vector<TComponent*> FComponents;
    std::unordered_map<String, TComponent*> FNameIndex;
    TComponentState FState;
    intptr_t FTag = 0;
};

} // namespace Host
