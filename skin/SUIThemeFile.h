#pragma once
// Skin files: a binary file that holds, under the theme items' key names,
// bitmaps, integers (colours among them), booleans and texts.
//
// Layout (unsigned 32-bit little-endian numbers, absolute offsets):
//   header, 24 bytes:  0 magic "Tessera_TB\0" padded to 12 bytes
//                     12 header length (24)   16 unused   20 first record
//   record, 77 bytes:  0 key name, 64 bytes, zero-terminated unless full
//                     64 type: 0 bitmap, 1 integer, 2 boolean, 3 text
//                     65 data offset   69 data size   73 next record (0 ends)
// The record whose next offset is 0 ends the chain and carries no entry.
// Integers take 4 bytes and booleans 1 whatever the size field says.

#include "framework/base/Streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The magic every skin file starts with.
inline constexpr char kSkinFileMagic[] = "Tessera_TB";

// Whether a file exists at `path`, can be read, and starts with the magic:
// the text and the zero byte after it. Nothing beyond the magic is checked,
// so a file that holds the magic alone passes.
bool IsSkinFile(const std::string& path);

// A skin file parsed completely into memory. Lookups match key names without
// regard to case; the first entry in the chain wins.
class TsuiThemeFileReader {
public:
    // Fails with "Cannot open file %s", or "Stream read error" when a record
    // or an entry runs past the end of the file, or with a message naming the
    // offset when the record chain comes back to a record it has read.
    explicit TsuiThemeFileReader(const std::string& path);
    explicit TsuiThemeFileReader(TStream& file);

    // The bitmap entry's bytes (a bitmap file image), rewound; null when there
    // is none. The stream stays the reader's.
    TMemoryStream* GetStream(const std::string& key);
    // False when there is no such entry.
    bool GetBool(const std::string& key) const;
    // -1 when there is no such entry.
    int32_t GetInt(const std::string& key) const;
    // Text entries are kept, though no look reads them; "" when missing.
    std::string GetText(const std::string& key) const;

private:
    void Load();

    // A bitmap entry stays a range of the file's bytes until it is asked
    // for, so that many records naming the same large data cost nothing.
    struct TBitmapEntry {
        size_t offset;
        size_t size;
        std::unique_ptr<TMemoryStream> stream;
    };
    template <typename T> using Entries = std::vector<std::pair<std::string, T>>;
    std::vector<uint8_t> FFile;
    Entries<TBitmapEntry> FBitmaps;
    Entries<int32_t> FIntegers;
    Entries<uint8_t> FBooleans;
    Entries<std::string> FTexts;
};
