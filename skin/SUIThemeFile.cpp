#include "SUIThemeFile.h"

#include "framework/base/Endian.h"
#include "framework/base/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "platform/kernel32/FileIO.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_set>

namespace {

constexpr size_t kMagicSize = 12;
constexpr size_t kHeaderSize = 24;
constexpr size_t kHeaderLengthField = 12;
constexpr size_t kFirstRecordField = 20;
constexpr size_t kRecordSize = 77;
constexpr size_t kTypeField = 64;
constexpr size_t kDataOffsetField = 65;
constexpr size_t kDataSizeField = 69;
constexpr size_t kNextField = 73;

using Type = TsuiFileEntryType;

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

// ---------------------------------------------------------------------------
// Reading

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

        TEntry entry{std::string(reinterpret_cast<const char*>(record),
                                 strnlen(reinterpret_cast<const char*>(record), kSkinFileKeySize)),
                     static_cast<Type>(record[kTypeField]), LoadU32(record + kDataOffsetField),
                     LoadU32(record + kDataSizeField), 0};
        switch (entry.Type) {
        case Type::suiFileBitmap:
        case Type::suiFileText:
            Span(file, entry.Offset, entry.Size);
            break;
        case Type::suiFileInteger:
            entry.Size = 4;
            entry.Value = LoadI32(Span(file, entry.Offset, entry.Size));
            break;
        case Type::suiFileBoolean:
            entry.Size = 1;
            entry.Value = *Span(file, entry.Offset, entry.Size);
            break;
        default:
            offset = next;
            continue;
        }
        FEntries.push_back(std::move(entry));
        offset = next;
    }
    FStreams.resize(FEntries.size());
}

const TsuiThemeFileReader::TEntry* TsuiThemeFileReader::Find(Type type,
                                                             const std::string& key) const {
    for (const TEntry& entry : FEntries)
        if (entry.Type == type && SameText(entry.Key, key))
            return &entry;
    return nullptr;
}

TMemoryStream* TsuiThemeFileReader::GetStream(const std::string& key) {
    const TEntry* found = Find(Type::suiFileBitmap, key);
    if (!found)
        return nullptr;
    std::unique_ptr<TMemoryStream>& stream = FStreams[static_cast<size_t>(found - FEntries.data())];
    if (!stream) {
        stream = std::make_unique<TMemoryStream>();
        stream->WriteBuffer(FFile.data() + found->Offset, static_cast<int64_t>(found->Size));
    }
    stream->SetPosition(0);
    return stream.get();
}

bool TsuiThemeFileReader::GetBool(const std::string& key) const {
    const TEntry* found = Find(Type::suiFileBoolean, key);
    return found != nullptr && found->Value != 0;
}

int32_t TsuiThemeFileReader::GetInt(const std::string& key) const {
    const TEntry* found = Find(Type::suiFileInteger, key);
    return found ? found->Value : -1;
}

std::string TsuiThemeFileReader::GetText(const std::string& key) const {
    const TEntry* found = Find(Type::suiFileText, key);
    return found ? std::string(reinterpret_cast<const char*>(FFile.data() + found->Offset),
                               found->Size)
                 : std::string();
}

// ---------------------------------------------------------------------------
// Writing

namespace {

void CheckKey(const std::string& key) {
    if (key.size() > kSkinFileKeySize)
        throw EWriteError(Format("The key %s is longer than the %zu characters a skin file holds",
                                 key.c_str(), kSkinFileKeySize));
    if (key.find('\0') != std::string::npos)
        throw EWriteError("A skin-file key cannot hold a zero byte");
}

std::vector<uint8_t> Le32(uint32_t value) {
    std::vector<uint8_t> bytes(4);
    StoreU32(bytes.data(), value);
    return bytes;
}

} // namespace

void TsuiThemeFileWriter::AddBitmap(const std::string& key, std::vector<uint8_t> bmp) {
    CheckKey(key);
    FEntries.push_back({key, Type::suiFileBitmap, std::move(bmp)});
}

void TsuiThemeFileWriter::AddBitmap(const std::string& key, const TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    AddBitmap(key, std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size()));
}

void TsuiThemeFileWriter::AddInteger(const std::string& key, int32_t value) {
    CheckKey(key);
    FEntries.push_back({key, Type::suiFileInteger, Le32(static_cast<uint32_t>(value))});
}

void TsuiThemeFileWriter::AddBoolean(const std::string& key, bool value) {
    CheckKey(key);
    FEntries.push_back({key, Type::suiFileBoolean, {static_cast<uint8_t>(value ? 1 : 0)}});
}

void TsuiThemeFileWriter::AddText(const std::string& key, const std::string& text) {
    CheckKey(key);
    FEntries.push_back({key, Type::suiFileText, std::vector<uint8_t>(text.begin(), text.end())});
}

std::vector<uint8_t> TsuiThemeFileWriter::Build() const {
    uint64_t total = kHeaderSize + kRecordSize * (FEntries.size() + 1);
    for (const TPending& entry : FEntries)
        total += entry.Data.size();
    // The next-record field of the last record must still point at it.
    if (total > std::numeric_limits<uint32_t>::max())
        throw EWriteError(Format("A skin file of %llu bytes is more than its 32-bit offsets reach",
                                 static_cast<unsigned long long>(total)));

    std::vector<uint8_t> out(kHeaderSize, 0);
    out.reserve(static_cast<size_t>(total));
    std::memcpy(out.data(), kSkinFileMagic, sizeof kSkinFileMagic);
    StoreU32(out.data() + kHeaderLengthField, kHeaderSize);

    std::vector<uint32_t> dataOffsets;
    for (const TPending& entry : FEntries) {
        dataOffsets.push_back(static_cast<uint32_t>(out.size()));
        out.insert(out.end(), entry.Data.begin(), entry.Data.end());
    }
    const size_t firstRecord = out.size();
    StoreU32(out.data() + kFirstRecordField, static_cast<uint32_t>(firstRecord));
    for (size_t i = 0; i <= FEntries.size(); ++i) {
        uint8_t record[kRecordSize] = {};
        if (i < FEntries.size()) {
            const TPending& entry = FEntries[i];
            std::memcpy(record, entry.Key.data(), entry.Key.size());
            record[kTypeField] = static_cast<uint8_t>(entry.Type);
            StoreU32(record + kDataOffsetField, dataOffsets[i]);
            StoreU32(record + kDataSizeField, static_cast<uint32_t>(entry.Data.size()));
            StoreU32(record + kNextField,
                     static_cast<uint32_t>(firstRecord + kRecordSize * (i + 1)));
        }
        out.insert(out.end(), record, record + kRecordSize);
    }
    return out;
}

void TsuiThemeFileWriter::SaveToStream(TStream& stream) const {
    const std::vector<uint8_t> bytes = Build();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TsuiThemeFileWriter::SaveToFile(const std::string& path) const {
    const std::vector<uint8_t> bytes = Build();
    if (!ReplaceFileContents(path, bytes.data(), bytes.size()))
        throw EFCreateError(Format("Cannot create file %s", path.c_str()));
}
