#pragma once
// Run-time type information: what a class publishes. Every class with
// published properties has one TClassInfo, built once from the class's
// DeclarePublished (see PropertyBuilder.h), holding its properties in published
// order (the base's first), the handler methods it offers to stored layouts,
// and a factory when the class is a component that can be created by name.
// Order matters: a layout is written and read in published order, so a value
// stored later overrides whatever an earlier setter derived.

#include "framework/base/SysUtils.h"

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
class TStringList;
class TStream;
class TClassInfo;
class TPropertyBuilder;

// A property that does not exist, does not fit the value, or cannot be written.
SSI_DECLARE_EXCEPTION(EPropertyError, Exception)

// The identifiers of an enumeration, by ordinal. Names compare without regard
// to case, as identifiers in layouts do.
class TEnumInfo {
public:
    TEnumInfo(std::string typeName, std::vector<std::string> names);

    const std::string& TypeName() const { return FTypeName; }
    int Count() const { return static_cast<int>(FNames.size()); }
    // Fails with "Invalid enumeration ordinal %d of %s" out of range.
    const std::string& Name(int ordinal) const;
    // -1 when no identifier matches.
    int Ordinal(const std::string& name) const;

private:
    std::string FTypeName;
    std::vector<std::string> FNames;
};

// Integer identifiers: names for particular values of an integer type, such
// as clBtnFace for a colour. The graphics code registers the colour names
// under kColorIdents; a property declared with that ident type reads and
// writes them. Registering a name again replaces its value.
inline constexpr const char* kColorIdents = "TColor";
inline constexpr const char* kCursorIdents = "TCursor";
void RegisterIntegerIdents(const std::string& typeName,
                           std::initializer_list<std::pair<const char*, int64_t>> idents);
bool IdentToInteger(const std::string& typeName, const std::string& ident, int64_t& value);
// The first registered name of `value`, when there is one.
bool IntegerToIdent(const std::string& typeName, int64_t value, std::string& ident);

// A set of enumeration values (ordinals 0..63), e.g. font styles.
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            FMask |= Bit(v);
    }
    static constexpr TSet FromMask(uint64_t mask) {
        TSet s;
        s.FMask = mask;
        return s;
    }
    constexpr uint64_t Mask() const { return FMask; }
    constexpr bool Contains(E v) const { return (FMask & Bit(v)) != 0; }
    constexpr bool Empty() const { return FMask == 0; }
    constexpr TSet& Include(E v) {
        FMask |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FMask &= ~Bit(v);
        return *this;
    }
    friend constexpr bool operator==(TSet a, TSet b) { return a.FMask == b.FMask; }
    friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.FMask | b.FMask); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.FMask & ~b.FMask); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.FMask & b.FMask); }

private:
    static constexpr uint64_t Bit(E v) { return uint64_t(1) << static_cast<unsigned>(v); }
    uint64_t FMask = 0;
};

// An event: a handler that may be empty. A handler resolved from a stored
// layout remembers the name of the form method it is bound to, so that the
// layout writer can store it again; one assigned in code has no name and is
// not stored. Calling an empty event does nothing. The handler is copied
// before it runs, so a handler that destroys the event's owner does not pull
// the code out from under itself.
template <class... Args> class TEvent {
public:
    using TFunction = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    TEvent(TFunction function, std::string methodName = {})
        : FFunction(std::move(function)), FMethodName(std::move(methodName)) {}
    // Binds a method of `target`.
    template <class C>
    TEvent(C* target, void (C::*method)(Args...))
        : FFunction([target, method](Args... args) { (target->*method)(args...); }) {}

    bool Assigned() const { return static_cast<bool>(FFunction); }
    explicit operator bool() const { return Assigned(); }
    const std::string& MethodName() const { return FMethodName; }

    void operator()(Args... args) const {
        if (!FFunction)
            return;
        TFunction keep = FFunction;
        keep(args...);
    }

private:
    TFunction FFunction;
    std::string FMethodName;
};

// The classic notification: the sender only.
using TNotifyEvent = TEvent<TObject*>;

enum class TPropKind {
    pkInteger,    // signed integers, colours and cursors (with identifier names)
    pkBoolean,    // True / False
    pkString,     // 8-bit text
    pkEnum,       // one identifier of an enumeration
    pkSet,        // a set of identifiers of an enumeration
    pkComponent,  // a reference to a component, resolved by name
    pkPersistent, // an owned sub-object whose own properties are stored (Font.Name)
    pkBinary,     // bytes the object writes and reads itself (a picture's data)
    pkStrings,    // a string list
    pkCollection, // a collection of items with properties of their own
    pkEvent,      // a handler, stored as the name of a method of the form
};

// One published property: its name, kind and the accessors bound to the
// class's real getter and setter. Each accessor fails with EPropertyError
// ("Invalid property type: %s") when called for another kind, and setters on
// a read-only property fail with "Property %s is read-only".
class TPropInfo {
public:
    const std::string& Name() const { return FName; }
    TPropKind Kind() const { return FKind; }
    bool Writable() const { return FWritable; }
    // Enumeration of pkEnum and of the elements of pkSet.
    const TEnumInfo* EnumInfo() const { return FEnumInfo; }
    // Integer identifiers of a pkInteger (e.g. kColorIdents), or "".
    const std::string& IdentType() const { return FIdentType; }
    // Class a pkComponent value must inherit from.
    const TClassInfo* RefClass() const { return FRefClass ? &FRefClass() : nullptr; }
    // std::type_index of the TEvent<...> a pkEvent holds.
    std::type_index EventType() const { return FEventType; }

    // Whether a layout writer stores the current value: ordinal values and
    // texts equal to their declared default are not stored, nor values the
    // class marks as not stored.
    bool HasDefault() const { return FHasDefault; }
    int64_t Default() const { return FDefault; }
    // pkString: the declared default text (an undeclared one is always stored).
    bool HasDefaultText() const { return FHasDefaultText; }
    const std::string& DefaultText() const { return FDefaultText; }
    bool IsStored(TPersistent& object) const { return !FStored || FStored(object); }

    // pkInteger, pkBoolean, pkEnum (ordinal), pkSet (bit mask). The setter
    // fails with "Value %lld out of range for property %s" when the value
    // does not fit the setter's type or is not an ordinal of the enumeration.
    int64_t GetOrd(TPersistent& object) const;
    void SetOrd(TPersistent& object, int64_t value) const;
    // Whether SetOrd would take `value` (false for a read-only property).
    bool AcceptsOrd(int64_t value) const { return FFitsOrd && FFitsOrd(value); }
    // pkString.
    std::string GetStr(TPersistent& object) const;
    void SetStr(TPersistent& object, const std::string& value) const;
    // pkComponent, pkPersistent, pkCollection: the referenced or owned object.
    TPersistent* GetObject(TPersistent& object) const;
    // pkComponent: the reference (nullptr clears); fails with "Invalid value
    // for property %s" when the component is not of the required class.
    // pkPersistent, pkCollection: the setter copies `value`.
    void SetObject(TPersistent& object, TPersistent* value) const;
    // pkStrings.
    TStringList* GetStrings(TPersistent& object) const;
    void SetStrings(TPersistent& object, const TStringList& value) const;
    // pkBinary.
    bool HasData(TPersistent& object) const;
    void ReadData(TPersistent& object, TStream& stream) const;
    void WriteData(TPersistent& object, TStream& stream) const;
    // pkEvent. `event` holds a TEvent of the property's EventType.
    std::string GetMethodName(TPersistent& object) const;
    bool EventAssigned(TPersistent& object) const;
    // The current TEvent, copied into a std::any.
    std::any GetEvent(TPersistent& object) const;
    void SetEvent(TPersistent& object, const std::any& event) const;

private:
    friend class TPropertyBuilder;
    explicit TPropInfo(std::string name, TPropKind kind) : FName(std::move(name)), FKind(kind) {}
    void CheckKind(bool ok) const;
    void CheckWritable() const;

    std::string FName;
    TPropKind FKind;
    bool FWritable = false;
    const TEnumInfo* FEnumInfo = nullptr;
    std::string FIdentType;
    // A function, not the information itself: a class may refer to its own
    // class, whose information is being built while it declares properties.
    const TClassInfo& (*FRefClass)() = nullptr;
    std::type_index FEventType = typeid(void);
    bool FHasDefault = false;
    int64_t FDefault = 0;
    bool FHasDefaultText = false;
    std::string FDefaultText;
    std::function<bool(TPersistent&)> FStored;

    std::function<int64_t(TPersistent&)> FGetOrd;
    std::function<void(TPersistent&, int64_t)> FSetOrd;
    std::function<bool(int64_t)> FFitsOrd;
    std::function<std::string(TPersistent&)> FGetStr;
    std::function<void(TPersistent&, const std::string&)> FSetStr;
    std::function<TPersistent*(TPersistent&)> FGetObject;
    std::function<void(TPersistent&, TPersistent*)> FSetObject;
    std::function<const TStringList*(TPersistent&)> FGetStrings;
    std::function<void(TPersistent&, const TStringList&)> FSetStrings;
    std::function<bool(TPersistent&)> FHasData;
    std::function<void(TPersistent&, TStream&)> FReadData;
    std::function<void(TPersistent&, TStream&)> FWriteData;
    std::function<std::string(TPersistent&)> FGetMethodName;
    std::function<bool(TPersistent&)> FEventAssigned;
    std::function<std::any(TPersistent&)> FGetEvent;
    std::function<void(TPersistent&, const std::any&)> FSetEvent;
};

// A handler method a class offers to its layouts by name (a form's
// CoverNextBtnClick). Bind makes a TEvent of EventType calling the method on
// `instance`, named after the method.
class TMethodInfo {
public:
    const std::string& Name() const { return FName; }
    std::type_index EventType() const { return FEventType; }
    std::any Bind(TObject& instance) const { return FBind(instance); }

private:
    friend class TPropertyBuilder;
    TMethodInfo(std::string name, std::type_index eventType, std::function<std::any(TObject&)> bind)
        : FName(std::move(name)), FEventType(eventType), FBind(std::move(bind)) {}

    std::string FName;
    std::type_index FEventType;
    std::function<std::any(TObject&)> FBind;
};

class TClassInfo {
public:
    using TDeclareProc = void (*)(TPropertyBuilder&);
    using TFactory = TComponent* (*)(TComponent* owner);

    // The class's properties (published and protected) and methods are the
    // parent's, then what `declare` adds. They are put together when first
    // asked for: a program registers every class it knows and uses a few.
    TClassInfo(const char* className, const TClassInfo* parent, TDeclareProc declare,
               TFactory factory);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& ClassName() const { return FClassName; }
    const TClassInfo* ClassParent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;
    // By class name, without regard to case.
    bool InheritsFrom(const std::string& className) const;

    // Whether CreateComponent can make an instance (a concrete component class).
    bool CanCreate() const { return FFactory != nullptr; }
    // Fails with "Cannot create an instance of %s" when CanCreate is false.
    TComponent* CreateComponent(TComponent* owner) const;

    const std::vector<TPropInfo>& Properties() const {
        Declare();
        return FProperties;
    }
    // Without regard to case; nullptr when the class publishes no such property.
    const TPropInfo* FindProperty(const std::string& name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;

private:
    friend class TPropertyBuilder;

    // Puts the tables together, once.
    void Declare() const;

    std::string FClassName;
    const TClassInfo* FParent;
    TDeclareProc FDeclare;
    TFactory FFactory;
    mutable std::once_flag FDeclared;
    mutable std::vector<TPropInfo> FProperties;
    mutable std::unordered_map<std::string, size_t> FPropertyIndex; // upper-cased name
    // Bound but not published (the platform's protected properties): no
    // layout or lookup by name sees them until a descendant publishes one.
    mutable std::vector<TPropInfo> FProtected;
    mutable std::vector<TMethodInfo> FMethods;
};
