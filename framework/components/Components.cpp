#include "framework/components/Components.h"

#include "framework/components/PropertyBuilder.h"

#include <algorithm>

SSI_DEFINE_CLASS(TComponent, TPersistent)

void TComponent::DeclarePublished(TPropertyBuilder& p) {
    // The name is written in the object's header line, not as a property.
    p.String("Name", &TComponent::Name, &TComponent::SetName).NotStored();
    p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

namespace {

bool Contains(const std::vector<TComponent*>& list, const TComponent* component) {
    return std::find(list.begin(), list.end(), component) != list.end();
}

void Erase(std::vector<TComponent*>& list, const TComponent* component) {
    auto it = std::find(list.begin(), list.end(), component);
    if (it != list.end())
        list.erase(it);
}

} // namespace

bool IsValidIdent(const std::string& name) {
    auto alpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (name.empty() || !alpha(name[0]))
        return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Detach();
    DestroyComponents();
}

TComponent* TComponent::Component(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (FOwner == nullptr)
        return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(Format("'%s' is not a valid component name", name.c_str()));
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, name);
    FName = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& newName) {
    TComponent* other = FindComponent(newName);
    if (other != nullptr && other != component)
        throw EComponentError(Format("A component named %s already exists", newName.c_str()));
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component->FOwner == this)
        return;
    // An owner chain that loops would make destruction and notifications
    // run forever.
    for (TComponent* c = this; c != nullptr; c = c->FOwner)
        if (c == component)
            throw EComponentError("A component cannot own itself or its owner");
    ValidateRename(component, component->FName);
    if (component->FOwner != nullptr)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component == nullptr || component->FOwner != this)
        return;
    Notification(component, TOperation::opRemove);
    // A handler may already have moved it elsewhere.
    if (component->FOwner == this) {
        Erase(FComponents, component);
        component->FOwner = nullptr;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    if (!Contains(FFreeNotifies, component))
        FFreeNotifies.push_back(component);
    if (!Contains(component->FFreeNotifies, this))
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr)
        return;
    Erase(FFreeNotifies, component);
    Erase(component->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component != nullptr)
        RemoveFreeNotification(component);
    // Handlers may destroy or move components: walk a copy and skip those
    // that are no longer ours.
    std::vector<TComponent*> snapshot = FComponents;
    for (TComponent* c : snapshot)
        if (Contains(FComponents, c))
            c->Notification(component, operation);
}

void TComponent::SetState(TComponentState flags, bool on) {
    if (on)
        FState |= flags;
    else
        FState &= ~flags;
}

void TComponent::SetDestroying() {
    if (HasState(csDestroying))
        return;
    FState |= csDestroying;
    for (TComponent* c : FComponents)
        c->SetDestroying();
}

void TComponent::BeforeDestruction() {
    SetDestroying();
}

void TComponent::Loaded() {
    SetState(csLoading, false);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root != this)
        return;
    std::vector<TComponent*> snapshot = FComponents;
    for (TComponent* c : snapshot)
        if (!c->HasParent() || c->GetParentComponent() == nullptr ||
            c->GetParentComponent() == this)
            proc(c);
}

void TComponent::Detach() {
    if (FDetached)
        return;
    FDetached = true;
    SetDestroying();
    if (FAliveCell)
        *FAliveCell = nullptr;
    // Tell everyone who asked. Partners that share the owner hear it from the
    // owner below; telling them twice would make list-keeping handlers (a
    // theme manager deleting the name from its list) act twice.
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Erase(partner->FFreeNotifies, this);
        bool ownerTells = FOwner != nullptr && (partner == FOwner || partner->FOwner == FOwner);
        if (!ownerTells)
            partner->Notification(this, TOperation::opRemove);
    }
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        FComponents.pop_back();
        c->FOwner = nullptr;
        c->Free();
    }
}

void TComponent::Free() {
    if (FDetached)
        return;
    BeforeDestruction();
    Detach();
    if (FProtectCount > 0) {
        FFreePending = true;
        return;
    }
    delete this;
}

// --- TComponentProtector, TComponentTracker ---

TComponentProtector::TComponentProtector(TComponent* component) : FComponent(component) {
    if (FComponent != nullptr)
        ++FComponent->FProtectCount;
}

TComponentProtector::~TComponentProtector() {
    if (FComponent == nullptr)
        return;
    if (--FComponent->FProtectCount == 0 && FComponent->FFreePending)
        delete FComponent;
}

bool TComponentProtector::Freed() const {
    return FComponent != nullptr && FComponent->FDetached;
}

TComponentTracker::TComponentTracker(TComponent* component) {
    if (component == nullptr)
        return;
    if (!component->FAliveCell)
        component->FAliveCell =
            std::make_shared<TComponent*>(component->FDetached ? nullptr : component);
    FCell = component->FAliveCell;
}
