#include "SUIThemeFile.h"

#include "framework/base/Endian.h"
#include "framework/base/SysUtils.h"
#include "platform/kernel32/FileIO.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

constexpr size_t kMagicSize = 12;
constexpr size_t kHeaderSize = 24;
constexpr size_t kFirstRecordField = 20;
constexpr size_t kRecordSize = 77;
constexpr size_t kKeySize = 64;
constexpr size_t kTypeField = 64;
constexpr size_t kDataOffsetField = 65;
constexpr size_t kDataSizeField = 69;
constexpr size_t kNextField = 73;

enum EntryType : uint8_t { etBitmap = 0, etInteger = 1, etBoolean = 2, etText = 3 };

// The bytes [offset, offset + size) of the file, or "Stream read error".
const uint8_t* Span(const std::vector<uint8_t>& file, uint64_t offset, uint64_t size) {
    if (offset > file.size() || size > file.size() - offset)
        throw EReadError("Stream read error");
    return file.data() + offset;
}

bool MagicMatches(const uint8_t* first12) {
    size_t length = strnlen(reinterpret_cast<const char*>(first12), kMagicSize);
    return length == std::strlen(kSkinFileMagic) &&
           std::memcmp(first12, kSkinFileMagic, length) == 0;
}

template <typename T>
T* Find(std::vector<std::pair<std::string, T>>& entries, const std::string& key) {
    for (auto& [name, value] : entries)
        if (SameText(name, key))
            return &value;
    return nullptr;
}

template <typename T>
const T* Find(const std::vector<std::pair<std::string, T>>& entries, const std::string& key) {
    return Find(const_cast<std::vector<std::pair<std::string, T>>&>(entries), key);
}

} // namespace

bool IsSkinFile(const std::string& path) {
    THandle handle = FileOpen(path, fmOpenRead | fmShareDenyNone);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    uint8_t head[kMagicSize] = {};
    const int64_t read = FileRead(handle, head, sizeof head);
    FileClose(handle);
    // The file may end right after the magic's zero byte; what follows it,
    // padding included, is the reader's business.
    return read > static_cast<int64_t>(std::strlen(kSkinFileMagic)) && MagicMatches(head);
}

TsuiThemeFileReader::TsuiThemeFileReader(const std::string& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    *this = TsuiThemeFileReader(file);
}

TsuiThemeFileReader::TsuiThemeFileReader(TStream& file) {
    int64_t size = file.Size();
    FFile.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    file.SetPosition(0);
    file.ReadBuffer(FFile.data(), size);
    Load();
}

void TsuiThemeFileReader::Load() {
    const std::vector<uint8_t>& file = FFile;
    const uint8_t* header = Span(file, 0, kHeaderSize);
    uint64_t offset = LoadU32(header + kFirstRecordField);

    // A chain that comes back to a record it has passed would never end.
    std::unordered_set<uint64_t> visited;
    for (;;) {
        const uint8_t* record = Span(file, offset, kRecordSize);
        if (!visited.insert(offset).second)
            throw EReadError(Format("Skin file record chain loops back to offset %llu",
                                    static_cast<unsigned long long>(offset)));
        const uint64_t next = LoadU32(record + kNextField);
        if (next == 0)
            break;

        std::string key(reinterpret_cast<const char*>(record),
                        strnlen(reinterpret_cast<const char*>(record), kKeySize));
        const uint64_t dataOffset = LoadU32(record + kDataOffsetField);
        const uint64_t dataSize = LoadU32(record + kDataSizeField);
        switch (record[kTypeField]) {
        case etBitmap:
            Span(file, dataOffset, dataSize);
            FBitmaps.emplace_back(key, TBitmapEntry{static_cast<size_t>(dataOffset),
                                                    static_cast<size_t>(dataSize), nullptr});
            break;
        case etInteger:
            FIntegers.emplace_back(key, static_cast<int32_t>(LoadU32(Span(file, dataOffset, 4))));
            break;
        case etBoolean:
            FBooleans.emplace_back(key, *Span(file, dataOffset, 1));
            break;
        case etText: {
            const uint8_t* data = Span(file, dataOffset, dataSize);
            FTexts.emplace_back(key, std::string(reinterpret_cast<const char*>(data), dataSize));
            break;
        }
        default:
            break;
        }
        offset = next;
    }
}

TMemoryStream* TsuiThemeFileReader::GetStream(const std::string& key) {
    TBitmapEntry* found = Find(FBitmaps, key);
    if (!found)
        return nullptr;
    if (!found->stream) {
        found->stream = std::make_unique<TMemoryStream>();
        found->stream->WriteBuffer(FFile.data() + found->offset, static_cast<int64_t>(found->size));
    }
    found->stream->SetPosition(0);
    return found->stream.get();
}

bool TsuiThemeFileReader::GetBool(const std::string& key) const {
    const uint8_t* found = Find(FBooleans, key);
    return found != nullptr && *found != 0;
}

int32_t TsuiThemeFileReader::GetInt(const std::string& key) const {
    const int32_t* found = Find(FIntegers, key);
    return found ? *found : -1;
}

std::string TsuiThemeFileReader::GetText(const std::string& key) const {
    const std::string* found = Find(FTexts, key);
    return found ? *found : std::string();
}
