#include "framework/components/ClassRegistry.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::unordered_map<std::string, const TClassInfo*>& Registry() {
    static std::unordered_map<std::string, const TClassInfo*> registry;
    return registry;
}

} // namespace

void RegisterClass(const TClassInfo& info) {
    auto [it, inserted] = Registry().emplace(UpperCase(info.ClassName()), &info);
    if (!inserted && it->second != &info)
        throw EInvalidOperation(
            Format("A class named %s already exists", info.ClassName().c_str()));
}

void UnRegisterClass(const TClassInfo& info) {
    auto it = Registry().find(UpperCase(info.ClassName()));
    if (it != Registry().end() && it->second == &info)
        Registry().erase(it);
}

const TClassInfo* GetClass(const std::string& className) {
    auto it = Registry().find(UpperCase(className));
    return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const std::string& className) {
    const TClassInfo* info = GetClass(className);
    if (info == nullptr)
        throw EClassNotFound(Format("Class %s not found", className.c_str()));
    return *info;
}

std::vector<const TClassInfo*> RegisteredClasses() {
    std::vector<const TClassInfo*> classes;
    for (const auto& entry : Registry())
        classes.push_back(entry.second);
    std::sort(classes.begin(), classes.end(), [](const TClassInfo* a, const TClassInfo* b) {
        return a->ClassName() < b->ClassName();
    });
    return classes;
}
