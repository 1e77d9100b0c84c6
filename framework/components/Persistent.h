#pragma once
// The roots of the class tree. TObject carries the run-time type information
// (class name, ancestry, published properties); TPersistent is the base of
// everything whose published properties are stored in layouts, including
// sub-objects such as fonts, pictures and collection items.
//
// Every class with published properties (or that layouts create by name)
// declares itself with SSI_CLASS in its body and defines itself with
// SSI_DEFINE_CLASS in its source (PropertyBuilder.h):
//
//     class TTimer : public TComponent {
//         SSI_CLASS(TTimer, TComponent)
//     public:
//         static void DeclarePublished(TPropertyBuilder& p);
//         ...
//     };
//
// A class without its own DeclarePublished publishes exactly its base's
// properties.

#include "framework/components/TypeInfo.h"

#include <string>

#define SSI_CLASS(Name, Base)                                                                      \
public:                                                                                            \
    using inherited = Base;                                                                        \
    static const TClassInfo& StaticClassInfo();                                                    \
    const TClassInfo& ClassInfo() const override {                                                 \
        return StaticClassInfo();                                                                  \
    }                                                                                              \
                                                                                                   \
private:

class TObject {
public:
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    // TObject publishes nothing; the class macros compare against this to
    // tell whether a class declares properties of its own.
    static void DeclarePublished(TPropertyBuilder&) {}

    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& classInfo) const;
    // By class name, without regard to case.
    bool InheritsFrom(const std::string& className) const;
};

class TPersistent : public TObject {
    SSI_CLASS(TPersistent, TObject)
public:
    // Copies `source` into this object. The default fails with "Cannot assign
    // a %s to a %s" (source class, own class): a class that can copy itself
    // overrides it.
    virtual void Assign(const TPersistent& source);
};

// Copies every writable published property of `source` into `target` through
// the target's setters, in published order: ordinals, strings, references,
// string lists, binary data (when the source has any), sub-objects and
// collections (through their setters, or by copying into them when read-only)
// and event handlers. Properties marked as not stored (a component's Name)
// are left alone. Both must be of the same class; fails with
// "Cannot assign a %s to a %s" otherwise.
void CopyPublishedProperties(TPersistent& source, TPersistent& target);
