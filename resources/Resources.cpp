#include "resources/Resources.h"

#include "framework/base/EmbeddedFiles.h"
#include "framework/base/SysUtils.h"

// The table the build generates from the files listed in
// resources/CMakeLists.txt.
extern const TEmbeddedFile EmbeddedResources[];

std::span<const uint8_t> FindResource(std::string_view name) {
    return FindEmbeddedFile(EmbeddedResources, name);
}

bool ResourceExists(std::string_view name) {
    for (const TEmbeddedFile* file = EmbeddedResources; file->Name != nullptr; ++file)
        if (SameText(std::string(name), file->Name))
            return true;
    return false;
}

std::vector<std::string> ResourceNames() {
    std::vector<std::string> names;
    for (const TEmbeddedFile* file = EmbeddedResources; file->Name != nullptr; ++file)
        names.emplace_back(file->Name);
    return names;
}
