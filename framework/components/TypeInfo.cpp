#include "framework/components/TypeInfo.h"

#include "framework/components/PropertyBuilder.h"

#include <map>

// --- TEnumInfo ---

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names)
    : FTypeName(std::move(typeName)), FNames(std::move(names)) {}

const std::string& TEnumInfo::Name(int ordinal) const {
    if (ordinal < 0 || ordinal >= Count())
        throw EPropertyError(
            Format("Invalid enumeration ordinal %d of %s", ordinal, FTypeName.c_str()));
    return FNames[static_cast<size_t>(ordinal)];
}

int TEnumInfo::Ordinal(const std::string& name) const {
    for (size_t i = 0; i < FNames.size(); ++i)
        if (SameText(FNames[i], name))
            return static_cast<int>(i);
    return -1;
}

// --- Integer identifiers ---

namespace {

struct TIdentTable {
    std::vector<std::pair<std::string, int64_t>> entries; // registration order
};

std::map<std::string, TIdentTable>& IdentTables() {
    static std::map<std::string, TIdentTable> tables;
    return tables;
}

} // namespace

void RegisterIntegerIdents(const std::string& typeName,
                           std::initializer_list<std::pair<const char*, int64_t>> idents) {
    TIdentTable& table = IdentTables()[typeName];
    for (const auto& [name, value] : idents) {
        bool replaced = false;
        for (auto& entry : table.entries)
            if (SameText(entry.first, name)) {
                entry.second = value;
                replaced = true;
            }
        if (!replaced)
            table.entries.emplace_back(name, value);
    }
}

bool IdentToInteger(const std::string& typeName, const std::string& ident, int64_t& value) {
    auto it = IdentTables().find(typeName);
    if (it == IdentTables().end())
        return false;
    for (const auto& entry : it->second.entries)
        if (SameText(entry.first, ident)) {
            value = entry.second;
            return true;
        }
    return false;
}

bool IntegerToIdent(const std::string& typeName, int64_t value, std::string& ident) {
    auto it = IdentTables().find(typeName);
    if (it == IdentTables().end())
        return false;
    for (const auto& entry : it->second.entries)
        if (entry.second == value) {
            ident = entry.first;
            return true;
        }
    return false;
}

// --- TPropInfo ---

void TPropInfo::CheckKind(bool ok) const {
    if (!ok)
        throw EPropertyError(Format("Invalid property type: %s", FName.c_str()));
}

void TPropInfo::CheckWritable() const {
    if (!FWritable)
        throw EPropertyError(Format("Property %s is read-only", FName.c_str()));
}

int64_t TPropInfo::GetOrd(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetOrd));
    return FGetOrd(object);
}

void TPropInfo::SetOrd(TPersistent& object, int64_t value) const {
    CheckKind(static_cast<bool>(FGetOrd));
    CheckWritable();
    FSetOrd(object, value);
}

std::string TPropInfo::GetStr(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetStr));
    return FGetStr(object);
}

void TPropInfo::SetStr(TPersistent& object, const std::string& value) const {
    CheckKind(static_cast<bool>(FGetStr));
    CheckWritable();
    FSetStr(object, value);
}

TPersistent* TPropInfo::GetObject(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetObject));
    return FGetObject(object);
}

void TPropInfo::SetObject(TPersistent& object, TPersistent* value) const {
    CheckKind(static_cast<bool>(FGetObject));
    CheckWritable();
    FSetObject(object, value);
}

TStringList* TPropInfo::GetStrings(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetStrings));
    return const_cast<TStringList*>(FGetStrings(object));
}

void TPropInfo::SetStrings(TPersistent& object, const TStringList& value) const {
    CheckKind(static_cast<bool>(FGetStrings));
    CheckWritable();
    FSetStrings(object, value);
}

bool TPropInfo::HasData(TPersistent& object) const {
    CheckKind(static_cast<bool>(FHasData));
    return FHasData(object);
}

void TPropInfo::ReadData(TPersistent& object, TStream& stream) const {
    CheckKind(static_cast<bool>(FReadData));
    FReadData(object, stream);
}

void TPropInfo::WriteData(TPersistent& object, TStream& stream) const {
    CheckKind(static_cast<bool>(FWriteData));
    FWriteData(object, stream);
}

std::string TPropInfo::GetMethodName(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetMethodName));
    return FGetMethodName(object);
}

bool TPropInfo::EventAssigned(TPersistent& object) const {
    CheckKind(static_cast<bool>(FEventAssigned));
    return FEventAssigned(object);
}

std::any TPropInfo::GetEvent(TPersistent& object) const {
    CheckKind(static_cast<bool>(FGetEvent));
    return FGetEvent(object);
}

void TPropInfo::SetEvent(TPersistent& object, const std::any& event) const {
    CheckKind(static_cast<bool>(FEventAssigned));
    CheckWritable();
    FSetEvent(object, event);
}

// --- TClassInfo ---

TClassInfo::TClassInfo(const char* className, const TClassInfo* parent, TDeclareProc declare,
                       TFactory factory)
    : FClassName(className), FParent(parent), FDeclare(declare), FFactory(factory) {}

void TClassInfo::Declare() const {
    std::call_once(FDeclared, [this] {
        if (FParent != nullptr) {
            FParent->Declare();
            FProperties = FParent->FProperties;
            FPropertyIndex = FParent->FPropertyIndex;
            FProtected = FParent->FProtected;
            FMethods = FParent->FMethods;
        }
        if (FDeclare != nullptr) {
            TPropertyBuilder builder(const_cast<TClassInfo&>(*this));
            FDeclare(builder);
        }
    });
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        if (SameText(c->FClassName, className))
            return true;
    return false;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
    if (FFactory == nullptr)
        throw EInvalidOperation(Format("Cannot create an instance of %s", FClassName.c_str()));
    return FFactory(owner);
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    Declare();
    auto it = FPropertyIndex.find(UpperCase(name));
    return it == FPropertyIndex.end() ? nullptr : &FProperties[it->second];
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
    // Later declarations (a descendant's) win over inherited ones.
    Declare();
    for (auto it = FMethods.rbegin(); it != FMethods.rend(); ++it)
        if (SameText(it->Name(), name))
            return &*it;
    return nullptr;
}

// --- TPropertyBuilder ---

namespace ssi_detail {

void ThrowOutOfRange(const std::string& property, int64_t value) {
    throw EPropertyError(Format("Value %lld out of range for property %s",
                                static_cast<long long>(value), property.c_str()));
}

void ThrowInvalidValue(const std::string& property) {
    throw EPropertyError(Format("Invalid value for property %s", property.c_str()));
}

} // namespace ssi_detail

namespace {

// The property named `name` (in any case) in `list`, or nullptr.
TPropInfo* FindIn(std::vector<TPropInfo>& list, const std::string& name) {
    for (TPropInfo& p : list)
        if (SameText(p.Name(), name))
            return &p;
    return nullptr;
}

} // namespace

TPropInfo& TPropertyBuilder::Add(const char* name, TPropKind kind) {
    std::string key = UpperCase(name);
    auto it = FInfo.FPropertyIndex.find(key);
    if (FProtectedSection) {
        if (it != FInfo.FPropertyIndex.end())
            throw EPropertyError(Format("%s cannot hide the published property %s",
                                        FInfo.ClassName().c_str(), name));
        FLastProtected = true;
        if (TPropInfo* existing = FindIn(FInfo.FProtected, name)) {
            *existing = TPropInfo(name, kind);
            FLast = static_cast<size_t>(existing - FInfo.FProtected.data());
        } else {
            FLast = FInfo.FProtected.size();
            FInfo.FProtected.push_back(TPropInfo(name, kind));
        }
        return FInfo.FProtected[FLast];
    }
    FLastProtected = false;
    if (it != FInfo.FPropertyIndex.end()) {
        FLast = it->second;
        FInfo.FProperties[FLast] = TPropInfo(name, kind);
    } else {
        FLast = FInfo.FProperties.size();
        FInfo.FProperties.push_back(TPropInfo(name, kind));
        FInfo.FPropertyIndex.emplace(key, FLast);
    }
    return FInfo.FProperties[FLast];
}

TPropertyBuilder& TPropertyBuilder::Inherited(const char* name) {
    auto it = FInfo.FPropertyIndex.find(UpperCase(name));
    if (it != FInfo.FPropertyIndex.end()) {
        // Published by an ancestor: the slot is the ancestor's, whichever
        // section names it here.
        FLastProtected = false;
        FLast = it->second;
        return *this;
    }
    TPropInfo* hidden = FindIn(FInfo.FProtected, name);
    if (hidden == nullptr)
        throw EPropertyError(Format("%s inherits no property %s", FInfo.ClassName().c_str(), name));
    if (FProtectedSection) {
        FLastProtected = true;
        FLast = static_cast<size_t>(hidden - FInfo.FProtected.data());
        return *this;
    }
    FLastProtected = false;
    FLast = FInfo.FProperties.size();
    FInfo.FProperties.push_back(*hidden);
    FInfo.FPropertyIndex.emplace(UpperCase(hidden->Name()), FLast);
    return *this;
}

TPropertyBuilder& TPropertyBuilder::Protected() {
    FProtectedSection = true;
    return *this;
}

TPropInfo& TPropertyBuilder::Last() {
    if (FLast == SIZE_MAX)
        throw EInvalidOperation("No property declared yet");
    return FLastProtected ? FInfo.FProtected[FLast] : FInfo.FProperties[FLast];
}

TPropertyBuilder& TPropertyBuilder::Default(int64_t value) {
    TPropInfo& p = Last();
    p.FHasDefault = true;
    p.FDefault = value;
    return *this;
}

TPropertyBuilder& TPropertyBuilder::DefaultText(const std::string& value) {
    TPropInfo& p = Last();
    p.FHasDefaultText = true;
    p.FDefaultText = value;
    return *this;
}

TPropertyBuilder& TPropertyBuilder::NotStored() {
    Last().FStored = [](TPersistent&) { return false; };
    return *this;
}

void TPropertyBuilder::AddMethod(TMethodInfo method) {
    FInfo.FMethods.push_back(std::move(method));
}
