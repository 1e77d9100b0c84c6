#pragma once
// Holding classes to the published order they are meant to have. The order
// decides which stored value wins when a layout is read, so each suite keeps
// a table of the orders its library's classes should publish and checks
// every registered class against it: a class registered without an entry
// fails, so a new class cannot join the registry unreviewed.

#include "framework/components/ClassRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace publishedorder {

using TNames = std::vector<std::string>;
// Class name to its published property names, in published order.
using TTable = std::map<std::string, TNames>;

// `base` followed by `more`: a descendant's order starts with its ancestor's.
inline TNames Then(const TNames& base, std::initializer_list<const char*> more) {
    TNames names = base;
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

inline TNames PublishedNames(const TClassInfo& info) {
    TNames names;
    for (const TPropInfo& p : info.Properties())
        names.push_back(p.Name());
    return names;
}

// Every registered class but those in `skip` must stand in `table` with the
// same names in the same order, and every class in `table` must be one of
// them.
inline void ExpectRegisteredOrders(const TTable& table,
                                   const std::vector<const TClassInfo*>& skip = {}) {
    std::vector<std::string> checked;
    for (const TClassInfo* info : RegisteredClasses()) {
        if (std::find(skip.begin(), skip.end(), info) != skip.end())
            continue;
        checked.push_back(info->ClassName());
        auto it = table.find(info->ClassName());
        if (it == table.end()) {
            ADD_FAILURE() << info->ClassName()
                          << " is registered but has no published order in the table";
            continue;
        }
        EXPECT_EQ(PublishedNames(*info), it->second) << "published order of " << info->ClassName();
    }
    for (const auto& entry : table)
        if (std::find(checked.begin(), checked.end(), entry.first) == checked.end())
            ADD_FAILURE() << entry.first << " is in the table but not registered";
}

} // namespace publishedorder
