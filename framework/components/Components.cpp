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
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr)
        return -1;
    auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
    return static_cast<int>(it - owner_->components_.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(Format("'%s' is not a valid component name", name.c_str()));
    if (owner_ != nullptr)
        owner_->ValidateRename(this, name);
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& newName) {
    TComponent* other = FindComponent(newName);
    if (other != nullptr && other != component)
        throw EComponentError(Format("A component named %s already exists", newName.c_str()));
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component->owner_ == this)
        return;
    // An owner chain that loops would make destruction and notifications
    // run forever.
    for (TComponent* c = this; c != nullptr; c = c->owner_)
        if (c == component)
            throw EComponentError("A component cannot own itself or its owner");
    ValidateRename(component, component->name_);
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component == nullptr || component->owner_ != this)
        return;
    Notification(component, TOperation::opRemove);
    // A handler may already have moved it elsewhere.
    if (component->owner_ == this) {
        Erase(components_, component);
        component->owner_ = nullptr;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    if (!Contains(freeNotifies_, component))
        freeNotifies_.push_back(component);
    if (!Contains(component->freeNotifies_, this))
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr)
        return;
    Erase(freeNotifies_, component);
    Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component != nullptr)
        RemoveFreeNotification(component);
    // Handlers may destroy or move components: walk a copy and skip those
    // that are no longer ours.
    std::vector<TComponent*> snapshot = components_;
    for (TComponent* c : snapshot)
        if (Contains(components_, c))
            c->Notification(component, operation);
}

void TComponent::SetState(TComponentState flags, bool on) {
    if (on)
        state_ |= flags;
    else
        state_ &= ~flags;
}

void TComponent::SetDestroying() {
    if (HasState(csDestroying))
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
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
    std::vector<TComponent*> snapshot = components_;
    for (TComponent* c : snapshot)
        if (!c->HasParent() || c->GetParentComponent() == nullptr ||
            c->GetParentComponent() == this)
            proc(c);
}

void TComponent::Detach() {
    if (detached_)
        return;
    detached_ = true;
    SetDestroying();
    if (aliveCell_)
        *aliveCell_ = nullptr;
    // Tell everyone who asked. Partners that share the owner hear it from the
    // owner below; telling them twice would make list-keeping handlers (a
    // theme manager deleting the name from its list) act twice.
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        Erase(partner->freeNotifies_, this);
        bool ownerTells = owner_ != nullptr && (partner == owner_ || partner->owner_ == owner_);
        if (!ownerTells)
            partner->Notification(this, TOperation::opRemove);
    }
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        c->Free();
    }
}

void TComponent::Free() {
    if (detached_)
        return;
    BeforeDestruction();
    Detach();
    if (protectCount_ > 0) {
        freePending_ = true;
        return;
    }
    delete this;
}

// --- TComponentProtector, TComponentTracker ---

TComponentProtector::TComponentProtector(TComponent* component) : component_(component) {
    if (component_ != nullptr)
        ++component_->protectCount_;
}

TComponentProtector::~TComponentProtector() {
    if (component_ == nullptr)
        return;
    if (--component_->protectCount_ == 0 && component_->freePending_)
        delete component_;
}

bool TComponentProtector::Freed() const {
    return component_ != nullptr && component_->detached_;
}

TComponentTracker::TComponentTracker(TComponent* component) {
    if (component == nullptr)
        return;
    if (!component->aliveCell_)
        component->aliveCell_ =
            std::make_shared<TComponent*>(component->detached_ ? nullptr : component);
    cell_ = component->aliveCell_;
}
