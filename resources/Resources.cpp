#include "resources/Resources.h"

#include "framework/base/SysUtils.h"
#include "resources/ResourceIndex.h"

std::span<const uint8_t> FindResource(std::string_view name) {
    const std::string wanted(name);
    for (const TEmbeddedResource* r = EmbeddedResources; r->Name; ++r)
        if (SameText(wanted, r->Name))
            return {r->Data, *r->Size};
    return {};
}

bool ResourceExists(std::string_view name) {
    return FindResource(name).data() != nullptr;
}

std::vector<std::string> ResourceNames() {
    std::vector<std::string> names;
    for (const TEmbeddedResource* r = EmbeddedResources; r->Name; ++r)
        names.emplace_back(r->Name);
    return names;
}
