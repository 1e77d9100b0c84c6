#include "framework/components/TypeInfo.h"

#include "framework/components/PropertyBuilder.h"

#include <map>

// --- TEnumInfo ---

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names)
    : typeName_(std::move(typeName)), names_(std::move(names)) {}

const std::string& TEnumInfo::Name(int ordinal) const {
    if (ordinal < 0 || ordinal >= Count())
        throw EPropertyError(
            Format("Invalid enumeration ordinal %d of %s", ordinal, typeName_.c_str()));
    return names_[static_cast<size_t>(ordinal)];
}

int TEnumInfo::Ordinal(const std::string& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name))
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
        throw EPropertyError(Format("Invalid property type: %s", name_.c_str()));
}

void TPropInfo::CheckWritable() const {
    if (!writable_)
        throw EPropertyError(Format("Property %s is read-only", name_.c_str()));
}

int64_t TPropInfo::GetOrd(TPersistent& object) const {
    CheckKind(static_cast<bool>(getOrd_));
    return getOrd_(object);
}

void TPropInfo::SetOrd(TPersistent& object, int64_t value) const {
    CheckKind(static_cast<bool>(getOrd_));
    CheckWritable();
    setOrd_(object, value);
}

std::string TPropInfo::GetStr(TPersistent& object) const {
    CheckKind(static_cast<bool>(getStr_));
    return getStr_(object);
}

void TPropInfo::SetStr(TPersistent& object, const std::string& value) const {
    CheckKind(static_cast<bool>(getStr_));
    CheckWritable();
    setStr_(object, value);
}

TPersistent* TPropInfo::GetObject(TPersistent& object) const {
    CheckKind(static_cast<bool>(getObject_));
    return getObject_(object);
}

void TPropInfo::SetObject(TPersistent& object, TPersistent* value) const {
    CheckKind(static_cast<bool>(getObject_));
    CheckWritable();
    setObject_(object, value);
}

TStringList* TPropInfo::GetStrings(TPersistent& object) const {
    CheckKind(static_cast<bool>(getStrings_));
    return const_cast<TStringList*>(getStrings_(object));
}

void TPropInfo::SetStrings(TPersistent& object, const TStringList& value) const {
    CheckKind(static_cast<bool>(getStrings_));
    CheckWritable();
    setStrings_(object, value);
}

bool TPropInfo::HasData(TPersistent& object) const {
    CheckKind(static_cast<bool>(hasData_));
    return hasData_(object);
}

void TPropInfo::ReadData(TPersistent& object, TStream& stream) const {
    CheckKind(static_cast<bool>(readData_));
    readData_(object, stream);
}

void TPropInfo::WriteData(TPersistent& object, TStream& stream) const {
    CheckKind(static_cast<bool>(writeData_));
    writeData_(object, stream);
}

std::string TPropInfo::GetMethodName(TPersistent& object) const {
    CheckKind(static_cast<bool>(getMethodName_));
    return getMethodName_(object);
}

bool TPropInfo::EventAssigned(TPersistent& object) const {
    CheckKind(static_cast<bool>(eventAssigned_));
    return eventAssigned_(object);
}

std::any TPropInfo::GetEvent(TPersistent& object) const {
    CheckKind(static_cast<bool>(getEvent_));
    return getEvent_(object);
}

void TPropInfo::SetEvent(TPersistent& object, const std::any& event) const {
    CheckKind(static_cast<bool>(eventAssigned_));
    CheckWritable();
    setEvent_(object, event);
}

// --- TClassInfo ---

TClassInfo::TClassInfo(const char* className, const TClassInfo* parent, TDeclareProc declare,
                       TFactory factory)
    : className_(className), parent_(parent), factory_(factory) {
    if (parent != nullptr) {
        properties_ = parent->properties_;
        propertyIndex_ = parent->propertyIndex_;
        methods_ = parent->methods_;
    }
    if (declare != nullptr) {
        TPropertyBuilder builder(*this);
        declare(builder);
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
        if (SameText(c->className_, className))
            return true;
    return false;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
    if (factory_ == nullptr)
        throw EInvalidOperation(Format("Cannot create an instance of %s", className_.c_str()));
    return factory_(owner);
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    auto it = propertyIndex_.find(UpperCase(name));
    return it == propertyIndex_.end() ? nullptr : &properties_[it->second];
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
    // Later declarations (a descendant's) win over inherited ones.
    for (auto it = methods_.rbegin(); it != methods_.rend(); ++it)
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

TPropInfo& TPropertyBuilder::Add(const char* name, TPropKind kind) {
    std::string key = UpperCase(name);
    auto it = info_.propertyIndex_.find(key);
    if (it != info_.propertyIndex_.end()) {
        last_ = it->second;
        info_.properties_[last_] = TPropInfo(name, kind);
    } else {
        last_ = info_.properties_.size();
        info_.properties_.push_back(TPropInfo(name, kind));
        info_.propertyIndex_.emplace(key, last_);
    }
    return info_.properties_[last_];
}

TPropInfo& TPropertyBuilder::Last() {
    if (last_ == SIZE_MAX)
        throw EInvalidOperation("No property declared yet");
    return info_.properties_[last_];
}

TPropertyBuilder& TPropertyBuilder::Default(int64_t value) {
    TPropInfo& p = Last();
    p.hasDefault_ = true;
    p.default_ = value;
    return *this;
}

TPropertyBuilder& TPropertyBuilder::DefaultText(const std::string& value) {
    TPropInfo& p = Last();
    p.hasDefaultText_ = true;
    p.defaultText_ = value;
    return *this;
}

TPropertyBuilder& TPropertyBuilder::NotStored() {
    Last().stored_ = [](TPersistent&) { return false; };
    return *this;
}

void TPropertyBuilder::AddMethod(TMethodInfo method) {
    info_.methods_.push_back(std::move(method));
}
