#pragma once
// Published properties by name, the way code that knows nothing about a
// class reaches into it (the theme manager setting UIStyle and FileTheme on
// the components it lists). Names compare without regard to case; a dotted
// name reaches into sub-objects ("Font.Name"). Every write goes through the
// class's own setter. A name the class does not publish fails with
// EPropertyError "Property %s does not exist" (the name as given).

#include "framework/components/Components.h"
#include "framework/base/StringList.h"

#include <string>

// The property `name` of `object`, or nullptr when it does not exist. With a
// dotted name, `target` receives the sub-object that holds the property.
const TPropInfo* GetPropInfo(TPersistent& object, const std::string& name,
                             TPersistent** target = nullptr);
// True when `object` publishes a property of that name (false for nullptr).
bool HasProperty(TPersistent* object, const std::string& name);

// Integers, booleans, enumerations (ordinal), sets (bit mask).
int64_t GetOrdProp(TPersistent& object, const std::string& name);
void SetOrdProp(TPersistent& object, const std::string& name, int64_t value);
// Enumerations and booleans by identifier; integers by registered identifier.
std::string GetEnumProp(TPersistent& object, const std::string& name);
void SetEnumProp(TPersistent& object, const std::string& name, const std::string& ident);
std::string GetStrProp(TPersistent& object, const std::string& name);
void SetStrProp(TPersistent& object, const std::string& name, const std::string& value);
// Component references, sub-objects and collections. Setting a sub-object or
// collection copies `value` through the setter.
TPersistent* GetObjectProp(TPersistent& object, const std::string& name);
void SetObjectProp(TPersistent& object, const std::string& name, TPersistent* value);
TComponent* GetComponentProp(TPersistent& object, const std::string& name);
void SetComponentProp(TPersistent& object, const std::string& name, TComponent* value);
const TStringList& GetStringsProp(TPersistent& object, const std::string& name);
void SetStringsProp(TPersistent& object, const std::string& name, const TStringList& value);
// Events: the name of the bound method ("" when none or bound in code), and
// binding a method that `handlerOwner`'s class offers (TPropertyBuilder::
// Method). Fails with "Method %s not found" or "Method %s does not fit event
// %s"; an empty method name clears the event.
std::string GetMethodProp(TPersistent& object, const std::string& name);
void SetMethodProp(TPersistent& object, const std::string& name, TObject& handlerOwner,
                   const std::string& methodName);
// Binds a method of `handlerOwner` (a form) by name, as layouts do.
std::any BindMethod(TObject& handlerOwner, const std::string& methodName, const TPropInfo& event);
