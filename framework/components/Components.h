#pragma once
// Components: named objects owned by another component and destroyed with it.
// A component learns that another one is going away, or has been added,
// through Notification: the owner passes every insertion and removal among
// its components on to all of them, and a component that asked for it with
// FreeNotification hears about the destruction of a component it refers to
// anywhere (the way a control learns that its FileTheme is gone).
//
// Destroy a component made with new by calling Free(), or let its owner do
// it. Both announce the removal while the whole object is still alive. A
// plain `delete` (or a component on the stack going out of scope) works too,
// but then the announcements come from the TComponent part only, after the
// derived parts are gone: in Notification, compare pointers and read Name,
// nothing else, if that can happen. A component held by a
// TComponentProtector must go through Free() or its owner.

#include "framework/components/Persistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

SSI_DECLARE_EXCEPTION(EComponentError, Exception)

enum class TOperation { opInsert, opRemove };

// Flags of TComponent::ComponentState.
enum TComponentStateFlag : uint32_t {
    // Between creation by a layout reader and the call of Loaded: setters see
    // stored values arriving and should not raise events or derive values
    // from half-read state.
    csLoading = 1u << 0,
    // While the reader is reading this component's own properties.
    csReading = 1u << 1,
    // While a layout writer writes the component.
    csWriting = 1u << 2,
    // Destruction has begun (set on the owned components too).
    csDestroying = 1u << 3,
    // Never set here: there is no visual designer. Kept so that code written
    // against the flag reads naturally.
    csDesigning = 1u << 4,
};
using TComponentState = uint32_t;

class TComponent : public TPersistent {
    SSI_CLASS(TComponent, TPersistent)
public:
    // Joins `owner`'s components (opInsert is sent) when `owner` is not null.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static void DeclarePublished(TPropertyBuilder& p);

    const std::string& Name() const { return FName; }
    // Fails with "'%s' is not a valid component name" (not an identifier) or
    // "A component named %s already exists" (another component of the owner
    // has it, compared without regard to case). An empty name is allowed.
    void SetName(const std::string& name);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t tag) { FTag = tag; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // Fails with "List index out of bounds (%d)".
    TComponent* Component(int index) const;
    // Position among the owner's components, or -1 without an owner.
    int ComponentIndex() const;
    // The owned component of that name, compared without regard to case;
    // nullptr for "" or when there is none.
    TComponent* FindComponent(const std::string& name) const;

    // Takes `component` from its current owner (if any) and adds it here.
    void InsertComponent(TComponent* component);
    // Releases `component` without destroying it (opRemove is sent).
    void RemoveComponent(TComponent* component);

    // Asks to be told (Notification(component, opRemove)) when `component` is
    // destroyed, and tells it about this one's destruction in turn.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return FState; }
    bool HasState(TComponentStateFlag flag) const { return (FState & flag) != 0; }

    // Destroys the component, or, while a TComponentProtector holds it,
    // detaches it at once (owner, notifications) and destroys it when the
    // last protector lets go.
    void Free();

    // --- Layouts ---
    // Called by the layout reader once every component of the layout has its
    // properties and references; the default clears csLoading.
    virtual void Loaded();
    // A component that lives inside another one in a layout (a control inside
    // its parent) says so here; the reader calls SetParentComponent with the
    // enclosing object, and the writer asks GetChildren who is nested.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*parent*/) {}
    // Calls `proc` for each component written nested in this one when
    // `root` is written. The default nests, in the root only, the root's
    // components that have no parent other than the root.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

protected:
    // Every insertion into and removal from the owner, and the destruction of
    // a component this one asked about. The default forgets a component that
    // goes away and passes the notification on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Destruction is about to begin: sets csDestroying here and on the owned
    // components. Overrides call the inherited one.
    virtual void BeforeDestruction();
    // Checks a name change of an owned component (or of this one when
    // `component` is null and there is no owner).
    virtual void ValidateRename(TComponent* component, const std::string& newName);

private:
    friend class TComponentProtector;
    friend class TComponentTracker;
    friend class TLayoutReader;
    friend class TLayoutWriter;

    void SetState(TComponentState flags, bool on);
    void Detach();
    void SetDestroying();
    void DestroyComponents();
    void NotifyAll(TComponent* component, TOperation operation);

    std::string FName;
    int32_t FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FState = 0;
    bool FDetached = false;
    bool FFreePending = false;
    int FProtectCount = 0;
    std::shared_ptr<TComponent*> FAliveCell;
};

// Keeps a component alive across a call that may destroy it (an event
// handler that frees the form whose button was clicked). While a protector
// holds it, Free() and the owner's destruction only detach the component;
// it is destroyed when the last protector goes.
class TComponentProtector {
public:
    explicit TComponentProtector(TComponent* component);
    ~TComponentProtector();
    TComponentProtector(const TComponentProtector&) = delete;
    TComponentProtector& operator=(const TComponentProtector&) = delete;

    // True once Free() or the owner asked for the component's destruction.
    bool Freed() const;

private:
    TComponent* FComponent;
};

// A weak reference: Get() returns nullptr once the component's destruction
// has begun.
class TComponentTracker {
public:
    TComponentTracker() = default;
    explicit TComponentTracker(TComponent* component);
    TComponent* Get() const { return FCell ? *FCell : nullptr; }
    bool Exists() const { return Get() != nullptr; }

private:
    std::shared_ptr<TComponent*> FCell;
};

// Whether `name` is an identifier: a letter or '_', then letters, digits, '_'.
bool IsValidIdent(const std::string& name);
