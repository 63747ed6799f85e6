#include "vel/host/Component.h"

#include "vel/host/Errors.h"
#include "vel/host/Identifier.h"
#include "vel/host/NumberText.h"
#include "vel/host/TextCase.h"

#include <algorithm>

namespace Host {

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    while (!FComponents.empty())
        delete FComponents.back();
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const String& name) {
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(u"'" + name + u"' is not a valid component name");
    if (FOwner != nullptr)
        FOwner->CheckUniqueName(name, this);
    FName = name;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EComponentError(u"Component index " + IntToStr(index) + u" out of bounds (" +
                              IntToStr(ComponentCount()) + u" components)");
    return FComponents[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty())
        return nullptr;
    const auto found = std::find_if(FComponents.begin(), FComponents.end(),
                                    [&](const TComponent* c) { return SameText(c->FName, name); });
    return found == FComponents.end() ? nullptr : *found;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr)
        throw EComponentError(u"Cannot insert a nil component into " + ClassName());
    if (component->FOwner == this)
        return;
    for (const TComponent* c = this; c != nullptr; c = c->FOwner)
        if (c == component)
            throw EComponentError(u"A component cannot own itself or its owners");
    CheckUniqueName(component->FName, component);
    if (component->FOwner != nullptr)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    if (FState.Contains(csDesigning))
        component->SetDesigning(true);
}

void TComponent::RemoveComponent(TComponent* component) {
    const auto found = std::find(FComponents.begin(), FComponents.end(), component);
    if (found == FComponents.end())
        return;
    FComponents.erase(found);
    component->FOwner = nullptr;
}

void TComponent::SetDesigning(bool designing) {
    if (designing)
        FState.Include(csDesigning);
    else
        FState.Exclude(csDesigning);
    for (TComponent* c : FComponents)
        c->SetDesigning(designing);
}

void TComponent::SetLoading(bool loading) {
    if (loading)
        FState.Include(csLoading);
    else
        FState.Exclude(csLoading);
}

void TComponent::Loaded() {
    FState.Exclude(csLoading);
}

void TComponent::CheckUniqueName(const String& name, const TComponent* except) const {
    const TComponent* other = FindComponent(name);
    if (other != nullptr && other != except)
        throw EComponentError(u"A component named " + name + u" already exists");
}

} // namespace Host
