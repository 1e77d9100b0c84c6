#pragma once
// Declaring published properties. A class lists them, in published order, in
// its static DeclarePublished, each bound to the real getter and setter (the
// setter is where the behaviour lives), and defines its class information
// with SSI_DEFINE_CLASS in its source file:
//
//     SSI_DEFINE_CLASS(TsuiThemeManager, TComponent)
//     void TsuiThemeManager::DeclarePublished(TPropertyBuilder& p) {
//         p.Enum("UIStyle", TsuiUIStyleInfo, &TsuiThemeManager::UIStyle,
//                &TsuiThemeManager::SetUIStyle);
//         p.Component("FileTheme", &TsuiThemeManager::FileTheme,
//                     &TsuiThemeManager::SetFileTheme);
//         p.Object("CompList", &TsuiThemeManager::CompList, &TsuiThemeManager::SetCompList);
//         p.Event("OnUIStyleChanged", &TsuiThemeManager::OnUIStyleChanged,
//                 &TsuiThemeManager::SetOnUIStyleChanged);
//     }
//
// The published order is the order of the class tree: a property first
// published by an ancestor keeps the ancestor's slot, and a class's own new
// ones follow in the order it declares them. Stored layouts are written and
// read in that order, so a value stored later overrides what an earlier
// setter derived.
//
// A property a class binds but does not publish is declared after
// Protected(). Descendants publish it, or give it a new default, with
// Inherited, which never binds the accessors again. A base meant to be
// derived from (TControl, TCustomPanel, TCustomMemo) declares that way what
// only some descendants show, and each publishes it where its own setters
// need it:
//
//     void TControl::DeclarePublished(TPropertyBuilder& p) {
//         p.Integer("Left", &TControl::Left, &TControl::SetLeft);
//         ...
//         p.Protected()
//             .Color("Color", &TControl::Color, &TControl::SetColor)
//             .Default(clBtnFace)
//             .Object("Font", &TControl::Font, &TControl::SetFont);
//     }
//     void TCustomMemo::DeclarePublished(TPropertyBuilder& p) {
//         p.Inherited("TabStop").Default(1); // TWinControl's slot, a new default
//         p.Protected().Inherited("Color").Default(clWindow); // still protected
//     }
//     void TMemo::DeclarePublished(TPropertyBuilder& p) {
//         p.Inherited("Color").Inherited("Font"); // the next slots, in this order
//     }
//
// Inherited fails with EPropertyError when no ancestor declares the name.
// Declaring a name the base already publishes with accessors of its own
// rebinds it in the base's slot. A setter of nullptr makes the property
// read-only (not stored). A form offers its event handlers to layouts with
// Method:
//
//     p.Method("CoverNextBtnClick", &TInstallarForm::CoverNextBtnClick);

#include "framework/base/StringList.h"
#include "framework/components/Collections.h"
#include "framework/components/Components.h"

#include <cstdint>
#include <limits>
#include <type_traits>

namespace ssi_detail {

template <class... A> struct TFirst { using Type = void; };
template <class A0, class... A> struct TFirst<A0, A...> { using Type = A0; };

template <class M> struct TMember;
template <class C, class R, class... A> struct TMember<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    using Arg = typename TFirst<A...>::Type;
};
template <class C, class R, class... A> struct TMember<R (C::*)(A...) const> {
    using Class = C;
    using Result = R;
    using Arg = typename TFirst<A...>::Type;
};
template <class C, class R, class... A> struct TMember<R (C::*)(A...) noexcept> {
    using Class = C;
    using Result = R;
    using Arg = typename TFirst<A...>::Type;
};
template <class C, class R, class... A> struct TMember<R (C::*)(A...) const noexcept> {
    using Class = C;
    using Result = R;
    using Arg = typename TFirst<A...>::Type;
};

template <class M> using ClassOf = typename TMember<M>::Class;
template <class M> using ArgOf = std::remove_cvref_t<typename TMember<M>::Arg>;

template <class M> auto& Self(TPersistent& object) {
    return static_cast<ClassOf<M>&>(object);
}

template <class T> int64_t OrdToInt(T value) {
    if constexpr (std::is_enum_v<T>)
        return static_cast<int64_t>(static_cast<std::underlying_type_t<T>>(value));
    else
        return static_cast<int64_t>(value);
}

// Whether `value` fits T. 32-bit types also take the unsigned range and wrap,
// so colours such as $8000000F fit a signed or an unsigned colour type.
template <class T> bool OrdFits(int64_t value) {
    if constexpr (std::is_enum_v<T>) {
        return OrdFits<std::underlying_type_t<T>>(value);
    } else if constexpr (std::is_same_v<T, bool>) {
        return value == 0 || value == 1;
    } else if constexpr (sizeof(T) == 4) {
        return value >= INT32_MIN && value <= int64_t(UINT32_MAX);
    } else if constexpr (std::is_unsigned_v<T> && sizeof(T) >= 8) {
        return value >= 0;
    } else if constexpr (sizeof(T) >= 8) {
        return true;
    } else {
        return value >= int64_t(std::numeric_limits<T>::min()) &&
               value <= int64_t(std::numeric_limits<T>::max());
    }
}

template <class T> T OrdFromInt(int64_t value) {
    if constexpr (std::is_enum_v<T>)
        return static_cast<T>(static_cast<std::underlying_type_t<T>>(value));
    else if constexpr (std::is_same_v<T, bool>)
        return value != 0;
    else
        return static_cast<T>(value);
}

template <class T> uint64_t MaskOf(const T& value) {
    if constexpr (requires { value.Mask(); })
        return value.Mask();
    else
        return static_cast<uint64_t>(value);
}

template <class T> T FromMask(uint64_t mask) {
    if constexpr (requires { T::FromMask(mask); })
        return T::FromMask(mask);
    else
        return static_cast<T>(mask);
}

template <class R> auto* AsPointer(R&& value) {
    if constexpr (std::is_pointer_v<std::remove_cvref_t<R>>)
        return value;
    else
        return &value;
}

template <class T> struct TIsEvent : std::false_type {};
template <class... A> struct TIsEvent<TEvent<A...>> : std::true_type {};

[[noreturn]] void ThrowOutOfRange(const std::string& property, int64_t value);
[[noreturn]] void ThrowInvalidValue(const std::string& property);

template <class T, class B> TClassInfo::TDeclareProc DeclareProcOf() {
    TClassInfo::TDeclareProc own = &T::DeclarePublished;
    TClassInfo::TDeclareProc base = &B::DeclarePublished;
    return own == base ? nullptr : own;
}

template <class T> TClassInfo::TFactory FactoryOf() {
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
        return [](TComponent* owner) -> TComponent* { return new T(owner); };
    else
        return nullptr;
}

} // namespace ssi_detail

#define SSI_DEFINE_CLASS(Name, Base)                                                               \
    const TClassInfo& Name::StaticClassInfo() {                                                    \
        static const TClassInfo info(#Name, &Base::StaticClassInfo(),                              \
                                     ssi_detail::DeclareProcOf<Name, Base>(),                      \
                                     ssi_detail::FactoryOf<Name>());                               \
        return info;                                                                               \
    }

class TPropertyBuilder {
public:
    explicit TPropertyBuilder(TClassInfo& info) : FInfo(info) {}

    // A signed or unsigned integer of any width; `identType` names the
    // integer identifiers it reads and writes (kColorIdents, kCursorIdents).
    template <class Get, class Set>
    TPropertyBuilder& Integer(const char* name, Get get, Set set, const char* identType = "") {
        TPropInfo& p = Add(name, TPropKind::pkInteger);
        p.FIdentType = identType;
        BindOrd(p, get, set, nullptr);
        return *this;
    }
    template <class Get, class Set> TPropertyBuilder& Color(const char* name, Get get, Set set) {
        return Integer(name, get, set, kColorIdents);
    }
    template <class Get, class Set> TPropertyBuilder& Boolean(const char* name, Get get, Set set) {
        TPropInfo& p = Add(name, TPropKind::pkBoolean);
        BindOrd(p, get, set, nullptr);
        return *this;
    }
    template <class Get, class Set>
    TPropertyBuilder& Enum(const char* name, const TEnumInfo& info, Get get, Set set) {
        TPropInfo& p = Add(name, TPropKind::pkEnum);
        p.FEnumInfo = &info;
        BindOrd(p, get, set, &info);
        return *this;
    }
    template <class Get, class Set> TPropertyBuilder& String(const char* name, Get get, Set set) {
        TPropInfo& p = Add(name, TPropKind::pkString);
        p.FGetStr = [get](TPersistent& o) -> std::string {
            return (ssi_detail::Self<Get>(o).*get)();
        };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.FWritable = true;
            p.FSetStr = [set](TPersistent& o, const std::string& v) {
                (ssi_detail::Self<Set>(o).*set)(v);
            };
        }
        return *this;
    }
    // A set of elements of `elements`; the getter returns a TSet (or anything
    // with Mask() and a static FromMask) or an integer bit mask.
    template <class Get, class Set>
    TPropertyBuilder& SetOf(const char* name, const TEnumInfo& elements, Get get, Set set) {
        TPropInfo& p = Add(name, TPropKind::pkSet);
        p.FEnumInfo = &elements;
        p.FGetOrd = [get](TPersistent& o) -> int64_t {
            return static_cast<int64_t>(ssi_detail::MaskOf((ssi_detail::Self<Get>(o).*get)()));
        };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.FWritable = true;
            std::string propName = name;
            int count = elements.Count();
            p.FFitsOrd = [count](int64_t v) {
                uint64_t limit = count >= 64 ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
                return (static_cast<uint64_t>(v) & ~limit) == 0;
            };
            p.FSetOrd = [set, propName, fits = p.FFitsOrd](TPersistent& o, int64_t v) {
                if (!fits(v))
                    ssi_detail::ThrowOutOfRange(propName, v);
                using A = ssi_detail::ArgOf<Set>;
                (ssi_detail::Self<Set>(o).*set)(ssi_detail::FromMask<A>(static_cast<uint64_t>(v)));
            };
        }
        return *this;
    }
    // A reference to a component; the getter returns T* for a component class T.
    template <class Get, class Set>
    TPropertyBuilder& Component(const char* name, Get get, Set set) {
        using T =
            std::remove_cv_t<std::remove_pointer_t<typename ssi_detail::TMember<Get>::Result>>;
        static_assert(std::is_base_of_v<TComponent, T>, "a component reference returns T*");
        TPropInfo& p = Add(name, TPropKind::pkComponent);
        p.FRefClass = &T::StaticClassInfo;
        p.FGetObject = [get](TPersistent& o) -> TPersistent* {
            return const_cast<T*>((ssi_detail::Self<Get>(o).*get)());
        };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.FWritable = true;
            std::string propName = name;
            p.FSetObject = [set, propName](TPersistent& o, TPersistent* v) {
                T* value = nullptr;
                if (v != nullptr) {
                    value = dynamic_cast<T*>(v);
                    if (value == nullptr)
                        ssi_detail::ThrowInvalidValue(propName);
                }
                (ssi_detail::Self<Set>(o).*set)(value);
            };
        }
        return *this;
    }
    // An owned sub-object: a persistent object (Font), a collection or a
    // string list. The getter returns it by pointer or reference; the setter
    // takes `const X&` or `X*` and copies it.
    template <class Get, class Set> TPropertyBuilder& Object(const char* name, Get get, Set set) {
        using R = typename ssi_detail::TMember<Get>::Result;
        using X = std::remove_cv_t<std::remove_pointer_t<std::remove_reference_t<R>>>;
        TPropInfo* p = nullptr;
        if constexpr (std::is_base_of_v<TStringList, X>) {
            p = &Add(name, TPropKind::pkStrings);
            p->FGetStrings = [get](TPersistent& o) -> const TStringList* {
                return ssi_detail::AsPointer((ssi_detail::Self<Get>(o).*get)());
            };
            if constexpr (!std::is_null_pointer_v<Set>) {
                p->FWritable = true;
                p->FSetStrings = [set](TPersistent& o, const TStringList& v) {
                    // A setter may take a list class of its own (a theme
                    // manager's component list): hand it a copy of that class.
                    using A = std::remove_cv_t<std::remove_pointer_t<ssi_detail::ArgOf<Set>>>;
                    const A* value = nullptr;
                    A copy;
                    if constexpr (std::is_same_v<A, TStringList>) {
                        value = &v;
                    } else {
                        copy.Assign(v);
                        value = &copy;
                    }
                    if constexpr (std::is_pointer_v<ssi_detail::ArgOf<Set>>)
                        (ssi_detail::Self<Set>(o).*set)(value);
                    else
                        (ssi_detail::Self<Set>(o).*set)(*value);
                };
            }
            return *this;
        } else {
            static_assert(std::is_base_of_v<TPersistent, X>, "a sub-object is a TPersistent");
            static_assert(!std::is_const_v<std::remove_pointer_t<std::remove_reference_t<R>>>,
                          "layouts write into sub-objects: return them non-const");
            p = &Add(name, std::is_base_of_v<TCollection, X> ? TPropKind::pkCollection
                                                             : TPropKind::pkPersistent);
            p->FRefClass = &X::StaticClassInfo;
            p->FGetObject = [get](TPersistent& o) -> TPersistent* {
                return ssi_detail::AsPointer((ssi_detail::Self<Get>(o).*get)());
            };
            if constexpr (!std::is_null_pointer_v<Set>) {
                p->FWritable = true;
                std::string propName = name;
                p->FSetObject = [set, propName](TPersistent& o, TPersistent* v) {
                    X* value = dynamic_cast<X*>(v);
                    if (value == nullptr)
                        ssi_detail::ThrowInvalidValue(propName);
                    if constexpr (std::is_pointer_v<ssi_detail::ArgOf<Set>>)
                        (ssi_detail::Self<Set>(o).*set)(value);
                    else
                        (ssi_detail::Self<Set>(o).*set)(*value);
                };
            }
            return *this;
        }
    }
    // Bytes the object keeps and stores itself (a picture's data): `has`
    // tells whether there is anything to store, `read` loads from a stream
    // positioned at the data's start, `write` appends the data.
    template <class Has, class Read, class Write>
    TPropertyBuilder& Binary(const char* name, Has has, Read read, Write write) {
        TPropInfo& p = Add(name, TPropKind::pkBinary);
        p.FWritable = true;
        p.FHasData = [has](TPersistent& o) -> bool { return (ssi_detail::Self<Has>(o).*has)(); };
        p.FReadData = [read](TPersistent& o, TStream& s) { (ssi_detail::Self<Read>(o).*read)(s); };
        p.FWriteData = [write](TPersistent& o, TStream& s) {
            (ssi_detail::Self<Write>(o).*write)(s);
        };
        return *this;
    }
    // An event: the getter returns a TEvent<...> (by value or reference).
    template <class Get, class Set> TPropertyBuilder& Event(const char* name, Get get, Set set) {
        using E = std::remove_cvref_t<typename ssi_detail::TMember<Get>::Result>;
        static_assert(ssi_detail::TIsEvent<E>::value, "an event property returns a TEvent");
        TPropInfo& p = Add(name, TPropKind::pkEvent);
        p.FEventType = typeid(E);
        p.FGetMethodName = [get](TPersistent& o) -> std::string {
            return (ssi_detail::Self<Get>(o).*get)().MethodName();
        };
        p.FEventAssigned = [get](TPersistent& o) -> bool {
            return (ssi_detail::Self<Get>(o).*get)().Assigned();
        };
        p.FGetEvent = [get](TPersistent& o) -> std::any {
            return E((ssi_detail::Self<Get>(o).*get)());
        };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.FWritable = true;
            std::string propName = name;
            p.FSetEvent = [set, propName](TPersistent& o, const std::any& v) {
                if (!v.has_value()) {
                    (ssi_detail::Self<Set>(o).*set)(E());
                    return;
                }
                const E* event = std::any_cast<E>(&v);
                if (event == nullptr)
                    ssi_detail::ThrowInvalidValue(propName);
                (ssi_detail::Self<Set>(o).*set)(*event);
            };
        }
        return *this;
    }
    // A handler method offered to layouts under `name`.
    template <class C, class... A>
    TPropertyBuilder& Method(const char* name, void (C::*method)(A...)) {
        using E = TEvent<A...>;
        std::string methodName = name;
        AddMethod(TMethodInfo(name, typeid(E), [method, methodName](TObject& instance) -> std::any {
            C* target = static_cast<C*>(&instance);
            return E([target, method](A... args) { (target->*method)(args...); }, methodName);
        }));
        return *this;
    }

    // Publishes a property an ancestor declared, with the ancestor's
    // accessors and default (the modifiers below change them for this class
    // and its descendants). One the ancestor already publishes keeps its
    // slot; a protected one takes the next slot, or after Protected() stays
    // protected with whatever the modifiers change. Fails with EPropertyError
    // "%s inherits no property %s" when no ancestor declares `name`.
    TPropertyBuilder& Inherited(const char* name);
    // The declarations that follow are bound but not published. Declaring a
    // name that is already published there fails with EPropertyError.
    TPropertyBuilder& Protected();

    // Modifiers of the property declared (or inherited) last.
    // Ordinal values equal to `value` are not stored.
    TPropertyBuilder& Default(int64_t value);
    // Texts equal to `value` are not stored.
    TPropertyBuilder& DefaultText(const std::string& value);
    // The value is stored only while `stored` returns true.
    template <class Pred> TPropertyBuilder& Stored(Pred stored) {
        Last().FStored = [stored](TPersistent& o) -> bool {
            return (ssi_detail::Self<Pred>(o).*stored)();
        };
        return *this;
    }
    TPropertyBuilder& NotStored();

private:
    template <class Get, class Set>
    void BindOrd(TPropInfo& p, Get get, Set set, const TEnumInfo* enumInfo) {
        p.FGetOrd = [get](TPersistent& o) -> int64_t {
            return ssi_detail::OrdToInt((ssi_detail::Self<Get>(o).*get)());
        };
        if constexpr (!std::is_null_pointer_v<Set>) {
            p.FWritable = true;
            std::string propName = p.Name();
            using A = ssi_detail::ArgOf<Set>;
            p.FFitsOrd = [enumInfo](int64_t v) {
                return ssi_detail::OrdFits<A>(v) &&
                       (enumInfo == nullptr || (v >= 0 && v < enumInfo->Count()));
            };
            p.FSetOrd = [set, propName, fits = p.FFitsOrd](TPersistent& o, int64_t v) {
                if (!fits(v))
                    ssi_detail::ThrowOutOfRange(propName, v);
                (ssi_detail::Self<Set>(o).*set)(ssi_detail::OrdFromInt<A>(v));
            };
        }
    }
    TPropInfo& Add(const char* name, TPropKind kind);
    TPropInfo& Last();
    void AddMethod(TMethodInfo method);

    TClassInfo& FInfo;
    size_t FLast = SIZE_MAX;
    bool FLastProtected = false;    // FLast indexes the protected list
    bool FProtectedSection = false; // after Protected()
};
