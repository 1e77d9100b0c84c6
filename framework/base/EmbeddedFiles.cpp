#include "framework/base/EmbeddedFiles.h"

#include <zlib.h>

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/SysUtils.h"

std::span<const uint8_t> EmbeddedFileBytes(const TEmbeddedFile& file) {
    if (!file.Deflated)
        return {file.Data, file.Size};
    static std::mutex lock;
    static std::map<const TEmbeddedFile*, std::unique_ptr<std::vector<uint8_t>>> inflated;
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<std::vector<uint8_t>>& bytes = inflated[&file];
    if (!bytes) {
        auto data = std::make_unique<std::vector<uint8_t>>(file.Size);
        uLongf size = uLongf(file.Size);
        // The build wrote these bytes; a mismatch means the program file
        // itself is damaged.
        if (uncompress(data->data(), &size, file.Data, uLong(file.StoredSize)) != Z_OK ||
            size != file.Size)
            throw std::runtime_error(std::string("The program's embedded file ") + file.Name +
                                     " is damaged");
        bytes = std::move(data);
    }
    return {bytes->data(), bytes->size()};
}

std::span<const uint8_t> FindEmbeddedFile(const TEmbeddedFile* table, std::string_view name) {
    const std::string wanted(name);
    for (const TEmbeddedFile* file = table; file->Name != nullptr; ++file)
        if (SameText(wanted, file->Name))
            return EmbeddedFileBytes(*file);
    return {};
}
