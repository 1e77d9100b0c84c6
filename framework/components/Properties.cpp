#include "framework/components/Properties.h"

namespace {

[[noreturn]] void ThrowMissing(const std::string& name) {
    throw EPropertyError(Format("Property %s does not exist", name.c_str()));
}

const TPropInfo& Find(TPersistent& object, const std::string& name, TPersistent*& target) {
    const TPropInfo* p = GetPropInfo(object, name, &target);
    if (p == nullptr)
        ThrowMissing(name);
    return *p;
}

} // namespace

const TPropInfo* GetPropInfo(TPersistent& object, const std::string& name, TPersistent** target) {
    TPersistent* current = &object;
    size_t start = 0;
    for (;;) {
        size_t dot = name.find('.', start);
        std::string part = name.substr(start, dot == std::string::npos ? dot : dot - start);
        const TPropInfo* p = current->ClassInfo().FindProperty(part);
        if (dot == std::string::npos || p == nullptr) {
            if (p != nullptr && target != nullptr)
                *target = current;
            return p;
        }
        if (p->Kind() != TPropKind::pkPersistent && p->Kind() != TPropKind::pkCollection)
            return nullptr;
        current = p->GetObject(*current);
        if (current == nullptr)
            return nullptr;
        start = dot + 1;
    }
}

bool HasProperty(TPersistent* object, const std::string& name) {
    return object != nullptr && GetPropInfo(*object, name) != nullptr;
}

int64_t GetOrdProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    return p.GetOrd(*target);
}

void SetOrdProp(TPersistent& object, const std::string& name, int64_t value) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    p.SetOrd(*target, value);
}

std::string GetEnumProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    int64_t value = p.GetOrd(*target);
    switch (p.Kind()) {
    case TPropKind::pkEnum:
        return p.EnumInfo()->Name(static_cast<int>(value));
    case TPropKind::pkBoolean:
        return value != 0 ? "True" : "False";
    default: {
        std::string ident;
        if (!IntegerToIdent(p.IdentType(), value, ident))
            ident = IntToStr(value);
        return ident;
    }
    }
}

void SetEnumProp(TPersistent& object, const std::string& name, const std::string& ident) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    int64_t value = -1;
    bool ok = false;
    switch (p.Kind()) {
    case TPropKind::pkEnum:
        value = p.EnumInfo()->Ordinal(ident);
        ok = value >= 0;
        break;
    case TPropKind::pkBoolean:
        ok = SameText(ident, "True") || SameText(ident, "False");
        value = SameText(ident, "True") ? 1 : 0;
        break;
    case TPropKind::pkInteger:
        ok = IdentToInteger(p.IdentType(), ident, value);
        break;
    default:
        p.GetOrd(*target); // reports the wrong kind
        break;
    }
    if (!ok)
        throw EPropertyError(Format("Invalid value for property %s", p.Name().c_str()));
    p.SetOrd(*target, value);
}

std::string GetStrProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    return Find(object, name, target).GetStr(*target);
}

void SetStrProp(TPersistent& object, const std::string& name, const std::string& value) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    p.SetStr(*target, value);
}

TPersistent* GetObjectProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    return Find(object, name, target).GetObject(*target);
}

void SetObjectProp(TPersistent& object, const std::string& name, TPersistent* value) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    p.SetObject(*target, value);
}

TComponent* GetComponentProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    if (p.Kind() != TPropKind::pkComponent)
        throw EPropertyError(Format("Invalid property type: %s", p.Name().c_str()));
    return static_cast<TComponent*>(p.GetObject(*target));
}

void SetComponentProp(TPersistent& object, const std::string& name, TComponent* value) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    if (p.Kind() != TPropKind::pkComponent)
        throw EPropertyError(Format("Invalid property type: %s", p.Name().c_str()));
    p.SetObject(*target, value);
}

const TStringList& GetStringsProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    return *Find(object, name, target).GetStrings(*target);
}

void SetStringsProp(TPersistent& object, const std::string& name, const TStringList& value) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    p.SetStrings(*target, value);
}

std::string GetMethodProp(TPersistent& object, const std::string& name) {
    TPersistent* target = nullptr;
    return Find(object, name, target).GetMethodName(*target);
}

std::any BindMethod(TObject& handlerOwner, const std::string& methodName, const TPropInfo& event) {
    const TMethodInfo* method = handlerOwner.ClassInfo().FindMethod(methodName);
    if (method == nullptr)
        throw EPropertyError(Format("Method %s not found", methodName.c_str()));
    if (method->EventType() != event.EventType())
        throw EPropertyError(
            Format("Method %s does not fit event %s", methodName.c_str(), event.Name().c_str()));
    return method->Bind(handlerOwner);
}

void SetMethodProp(TPersistent& object, const std::string& name, TObject& handlerOwner,
                   const std::string& methodName) {
    TPersistent* target = nullptr;
    const TPropInfo& p = Find(object, name, target);
    if (p.Kind() != TPropKind::pkEvent)
        throw EPropertyError(Format("Invalid property type: %s", p.Name().c_str()));
    if (methodName.empty()) {
        p.SetEvent(*target, std::any());
        return;
    }
    p.SetEvent(*target, BindMethod(handlerOwner, methodName, p));
}
