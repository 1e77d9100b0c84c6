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

    const std::string& TypeName() const { return typeName_; }
    int Count() const { return static_cast<int>(names_.size()); }
    // Fails with "Invalid enumeration ordinal %d of %s" out of range.
    const std::string& Name(int ordinal) const;
    // -1 when no identifier matches.
    int Ordinal(const std::string& name) const;

private:
    std::string typeName_;
    std::vector<std::string> names_;
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
            mask_ |= Bit(v);
    }
    static constexpr TSet FromMask(uint64_t mask) {
        TSet s;
        s.mask_ = mask;
        return s;
    }
    constexpr uint64_t Mask() const { return mask_; }
    constexpr bool Contains(E v) const { return (mask_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return mask_ == 0; }
    constexpr TSet& Include(E v) {
        mask_ |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        mask_ &= ~Bit(v);
        return *this;
    }
    friend constexpr bool operator==(TSet a, TSet b) { return a.mask_ == b.mask_; }
    friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.mask_ | b.mask_); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.mask_ & ~b.mask_); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.mask_ & b.mask_); }

private:
    static constexpr uint64_t Bit(E v) { return uint64_t(1) << static_cast<unsigned>(v); }
    uint64_t mask_ = 0;
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
        : function_(std::move(function)), methodName_(std::move(methodName)) {}
    // Binds a method of `target`.
    template <class C>
    TEvent(C* target, void (C::*method)(Args...))
        : function_([target, method](Args... args) { (target->*method)(args...); }) {}

    bool Assigned() const { return static_cast<bool>(function_); }
    explicit operator bool() const { return Assigned(); }
    const std::string& MethodName() const { return methodName_; }

    void operator()(Args... args) const {
        if (!function_)
            return;
        TFunction keep = function_;
        keep(args...);
    }

private:
    TFunction function_;
    std::string methodName_;
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
    const std::string& Name() const { return name_; }
    TPropKind Kind() const { return kind_; }
    bool Writable() const { return writable_; }
    // Enumeration of pkEnum and of the elements of pkSet.
    const TEnumInfo* EnumInfo() const { return enumInfo_; }
    // Integer identifiers of a pkInteger (e.g. kColorIdents), or "".
    const std::string& IdentType() const { return identType_; }
    // Class a pkComponent value must inherit from.
    const TClassInfo* RefClass() const { return refClass_ ? &refClass_() : nullptr; }
    // std::type_index of the TEvent<...> a pkEvent holds.
    std::type_index EventType() const { return eventType_; }

    // Whether a layout writer stores the current value: ordinal values and
    // texts equal to their declared default are not stored, nor values the
    // class marks as not stored.
    bool HasDefault() const { return hasDefault_; }
    int64_t Default() const { return default_; }
    // pkString: the declared default text (an undeclared one is always stored).
    bool HasDefaultText() const { return hasDefaultText_; }
    const std::string& DefaultText() const { return defaultText_; }
    bool IsStored(TPersistent& object) const { return !stored_ || stored_(object); }

    // pkInteger, pkBoolean, pkEnum (ordinal), pkSet (bit mask). The setter
    // fails with "Value %lld out of range for property %s" when the value
    // does not fit the setter's type or is not an ordinal of the enumeration.
    int64_t GetOrd(TPersistent& object) const;
    void SetOrd(TPersistent& object, int64_t value) const;
    // Whether SetOrd would take `value` (false for a read-only property).
    bool AcceptsOrd(int64_t value) const { return fitsOrd_ && fitsOrd_(value); }
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
    explicit TPropInfo(std::string name, TPropKind kind) : name_(std::move(name)), kind_(kind) {}
    void CheckKind(bool ok) const;
    void CheckWritable() const;

    std::string name_;
    TPropKind kind_;
    bool writable_ = false;
    const TEnumInfo* enumInfo_ = nullptr;
    std::string identType_;
    // A function, not the information itself: a class may refer to its own
    // class, whose information is being built while it declares properties.
    const TClassInfo& (*refClass_)() = nullptr;
    std::type_index eventType_ = typeid(void);
    bool hasDefault_ = false;
    int64_t default_ = 0;
    bool hasDefaultText_ = false;
    std::string defaultText_;
    std::function<bool(TPersistent&)> stored_;

    std::function<int64_t(TPersistent&)> getOrd_;
    std::function<void(TPersistent&, int64_t)> setOrd_;
    std::function<bool(int64_t)> fitsOrd_;
    std::function<std::string(TPersistent&)> getStr_;
    std::function<void(TPersistent&, const std::string&)> setStr_;
    std::function<TPersistent*(TPersistent&)> getObject_;
    std::function<void(TPersistent&, TPersistent*)> setObject_;
    std::function<const TStringList*(TPersistent&)> getStrings_;
    std::function<void(TPersistent&, const TStringList&)> setStrings_;
    std::function<bool(TPersistent&)> hasData_;
    std::function<void(TPersistent&, TStream&)> readData_;
    std::function<void(TPersistent&, TStream&)> writeData_;
    std::function<std::string(TPersistent&)> getMethodName_;
    std::function<bool(TPersistent&)> eventAssigned_;
    std::function<std::any(TPersistent&)> getEvent_;
    std::function<void(TPersistent&, const std::any&)> setEvent_;
};

// A handler method a class offers to its layouts by name (a form's
// CoverNextBtnClick). Bind makes a TEvent of EventType calling the method on
// `instance`, named after the method.
class TMethodInfo {
public:
    const std::string& Name() const { return name_; }
    std::type_index EventType() const { return eventType_; }
    std::any Bind(TObject& instance) const { return bind_(instance); }

private:
    friend class TPropertyBuilder;
    TMethodInfo(std::string name, std::type_index eventType, std::function<std::any(TObject&)> bind)
        : name_(std::move(name)), eventType_(eventType), bind_(std::move(bind)) {}

    std::string name_;
    std::type_index eventType_;
    std::function<std::any(TObject&)> bind_;
};

class TClassInfo {
public:
    using TDeclareProc = void (*)(TPropertyBuilder&);
    using TFactory = TComponent* (*)(TComponent* owner);

    // Copies the parent's properties and methods, then runs `declare`.
    TClassInfo(const char* className, const TClassInfo* parent, TDeclareProc declare,
               TFactory factory);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& ClassName() const { return className_; }
    const TClassInfo* ClassParent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    // By class name, without regard to case.
    bool InheritsFrom(const std::string& className) const;

    // Whether CreateComponent can make an instance (a concrete component class).
    bool CanCreate() const { return factory_ != nullptr; }
    // Fails with "Cannot create an instance of %s" when CanCreate is false.
    TComponent* CreateComponent(TComponent* owner) const;

    const std::vector<TPropInfo>& Properties() const { return properties_; }
    // Without regard to case; nullptr when the class publishes no such property.
    const TPropInfo* FindProperty(const std::string& name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;

private:
    friend class TPropertyBuilder;

    std::string className_;
    const TClassInfo* parent_;
    TFactory factory_;
    std::vector<TPropInfo> properties_;
    std::unordered_map<std::string, size_t> propertyIndex_; // upper-cased name
    std::vector<TMethodInfo> methods_;
};
