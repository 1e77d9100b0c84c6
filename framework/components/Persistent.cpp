#include "framework/components/Persistent.h"

#include "framework/components/Collections.h"
#include "framework/components/Components.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/base/Streams.h"

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
    return info;
}

const std::string& TObject::ClassName() const {
    return ClassInfo().ClassName();
}

bool TObject::InheritsFrom(const TClassInfo& classInfo) const {
    return ClassInfo().InheritsFrom(classInfo);
}

bool TObject::InheritsFrom(const std::string& className) const {
    return ClassInfo().InheritsFrom(className);
}

SSI_DEFINE_CLASS(TPersistent, TObject)

namespace {

[[noreturn]] void ThrowCannotAssign(const TPersistent& source, const TPersistent& target) {
    throw EConvertError(Format("Cannot assign a %s to a %s", source.ClassName().c_str(),
                               target.ClassName().c_str()));
}

} // namespace

void TPersistent::Assign(const TPersistent& source) {
    ThrowCannotAssign(source, *this);
}

void CopyPublishedProperties(TPersistent& source, TPersistent& target) {
    if (&source.ClassInfo() != &target.ClassInfo())
        ThrowCannotAssign(source, target);
    if (&source == &target)
        return;
    for (const TPropInfo& p : target.ClassInfo().Properties()) {
        // What is not stored (a component's Name) is not part of the value.
        if (!p.IsStored(source))
            continue;
        switch (p.Kind()) {
        case TPropKind::pkInteger:
        case TPropKind::pkBoolean:
        case TPropKind::pkEnum:
        case TPropKind::pkSet:
            if (p.Writable())
                p.SetOrd(target, p.GetOrd(source));
            break;
        case TPropKind::pkString:
            if (p.Writable())
                p.SetStr(target, p.GetStr(source));
            break;
        case TPropKind::pkComponent:
            if (p.Writable())
                p.SetObject(target, p.GetObject(source));
            break;
        case TPropKind::pkStrings:
            if (p.Writable())
                p.SetStrings(target, *p.GetStrings(source));
            break;
        case TPropKind::pkPersistent: {
            TPersistent* from = p.GetObject(source);
            TPersistent* to = p.GetObject(target);
            if (from != nullptr && to != nullptr) {
                if (p.Writable())
                    p.SetObject(target, from);
                else
                    CopyPublishedProperties(*from, *to);
            }
            break;
        }
        case TPropKind::pkCollection: {
            TPersistent* from = p.GetObject(source);
            TPersistent* to = p.GetObject(target);
            if (from != nullptr && to != nullptr)
                to->Assign(*from);
            break;
        }
        case TPropKind::pkBinary: {
            if (p.HasData(source)) {
                TMemoryStream data;
                p.WriteData(source, data);
                data.SetPosition(0);
                p.ReadData(target, data);
            }
            break;
        }
        case TPropKind::pkEvent:
            if (p.Writable())
                p.SetEvent(target, p.GetEvent(source));
            break;
        }
    }
}
