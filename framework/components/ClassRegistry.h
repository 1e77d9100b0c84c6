#pragma once
// The classes a layout may name: class name to class information (and so to
// a factory). A program registers the component classes its layouts use
// before reading them; registration is explicit because a class that only a
// layout names would otherwise never be linked in.

#include "framework/components/Persistent.h"

#include <string>
#include <vector>

SSI_DECLARE_EXCEPTION(EClassNotFound, Exception)

// Registers `info` under its class name. Registering the same class again
// does nothing; another class of the same name (compared without regard to
// case) fails with "A class named %s already exists".
void RegisterClass(const TClassInfo& info);
template <class... T> void RegisterClasses() {
    (RegisterClass(T::StaticClassInfo()), ...);
}
void UnRegisterClass(const TClassInfo& info);

// nullptr when no class of that name is registered.
const TClassInfo* GetClass(const std::string& className);
// Fails with EClassNotFound "Class %s not found".
const TClassInfo& FindClass(const std::string& className);
// Every registered class, ordered by class name.
std::vector<const TClassInfo*> RegisteredClasses();
