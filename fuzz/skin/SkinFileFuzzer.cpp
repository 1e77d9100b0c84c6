// Reads arbitrary bytes as a skin file: failures must be exceptions, never a
// crash, a hang or reading past the data. Whatever the reader takes, the
// writer must write again so that it reads back entry for entry.

#include "framework/base/SysUtils.h"
#include "skin/SUIThemeFile.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Type = TsuiFileEntryType;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream file;
    file.WriteBuffer(data, static_cast<int64_t>(size));
    std::unique_ptr<TsuiThemeFileReader> reader;
    try {
        reader = std::make_unique<TsuiThemeFileReader>(file);
    } catch (const Exception&) {
        return 0;
    }

    // From here on nothing may fail: what the reader took, the writer writes.
    TsuiThemeFileWriter writer;
    for (const TsuiThemeFileReader::TEntry& entry : reader->Entries()) {
        Check(entry.Offset <= size && entry.Size <= size - entry.Offset);
        if (TMemoryStream* s = reader->GetStream(entry.Key))
            s->Size();
        reader->GetInt(entry.Key);
        reader->GetBool(entry.Key);
        reader->GetText(entry.Key);
        const uint8_t* bytes = data + entry.Offset;
        switch (entry.Type) {
        case Type::suiFileBitmap:
            writer.AddBitmap(entry.Key, std::vector<uint8_t>(bytes, bytes + entry.Size));
            break;
        case Type::suiFileInteger:
            writer.AddInteger(entry.Key, entry.Value);
            break;
        case Type::suiFileBoolean:
            writer.AddBoolean(entry.Key, entry.Value != 0);
            break;
        case Type::suiFileText:
            writer.AddText(entry.Key, std::string(bytes, bytes + entry.Size));
            break;
        }
    }
    TMemoryStream copy;
    writer.SaveToStream(copy);
    TsuiThemeFileReader again(copy);
    Check(again.Entries().size() == reader->Entries().size());
    for (size_t i = 0; i < again.Entries().size(); ++i) {
        const TsuiThemeFileReader::TEntry& a = reader->Entries()[i];
        const TsuiThemeFileReader::TEntry& b = again.Entries()[i];
        Check(a.Key == b.Key && a.Type == b.Type && a.Size == b.Size);
        Check(a.Type == Type::suiFileBoolean ? (a.Value != 0) == (b.Value != 0)
                                             : a.Value == b.Value);
    }
    return 0;
}
