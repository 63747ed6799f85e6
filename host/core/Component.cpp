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
    if (FOwner == nullptr) {
        FName = name;
        return;
    }
    FOwner->CheckUniqueName(name, this);
    FOwner->UnindexName(*this);
    FName = name;
    FOwner->IndexName(*this);
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
    const auto found = FNameIndex.find(UpperCase(name));
    return found == FNameIndex.end() ? nullptr : found->second;
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
    IndexName(*component);
    component->FOwner = this;
    if (FState.Contains(csDesigning))
        component->SetDesigning(true);
}

// Searched from the end, where the owner's destructor removes its components one by one.
void TComponent::RemoveComponent(TComponent* component) {
    const auto found = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (found == FComponents.rend())
        return;
    FComponents.erase(std::next(found).base());
    UnindexName(*component);
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

void TComponent::IndexName(TComponent& component) {
    if (!component.FName.empty())
        FNameIndex.emplace(UpperCase(component.FName), &component);
}

void TComponent::UnindexName(const TComponent& component) {
    if (!component.FName.empty())
        FNameIndex.erase(UpperCase(component.FName));
}

void TComponent::CheckUniqueName(const String& name, const TComponent* except) const {
    const TComponent* other = FindComponent(name);
    if (other != nullptr && other != except)
        throw EComponentError(u"A component named " + name + u" already exists");
}

} // namespace Host
