#pragma once
// Skin files: a binary file that holds, under the theme items' key names,
// bitmaps, integers (colours among them), booleans and texts. The reader
// parses one into memory for a TsuiFileTheme; the writer makes them.
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
#include <vector>

class TBitmap;

// The magic every skin file starts with.
inline constexpr char kSkinFileMagic[] = "Tessera_TB";
// The longest key name a record holds (it then has no terminating zero).
inline constexpr size_t kSkinFileKeySize = 64;

// The entry types of skin-file records. They are the file's own codes, not
// the theme item kinds: a colour item is stored as an integer entry.
enum class TsuiFileEntryType : uint8_t {
    suiFileBitmap = 0,
    suiFileInteger = 1,
    suiFileBoolean = 2,
    suiFileText = 3,
};

// Whether a file exists at `path`, can be read, and starts with the magic:
// the text and the zero byte after it. Nothing beyond the magic is checked,
// so a file that holds the magic alone passes.
bool IsSkinFile(const std::string& path);

// A skin file parsed completely into memory. Lookups match key names without
// regard to case; the first entry of the asked type in the chain wins.
class TsuiThemeFileReader {
public:
    // One entry, in chain order. Records of an unknown type make none.
    struct TEntry {
        std::string Key;
        TsuiFileEntryType Type;
        // The data's offset in the file and its size: a bitmap's or a
        // text's byte count; 4 for integers and 1 for booleans.
        size_t Offset;
        size_t Size;
        // Integers' value, booleans' byte.
        int32_t Value;
    };

    // Fails with "Cannot open file %s", or "Stream read error" when a record
    // or an entry runs past the end of the file, or with a message naming the
    // offset when the record chain comes back to a record it has read.
    explicit TsuiThemeFileReader(const std::string& path);
    explicit TsuiThemeFileReader(TStream& file);

    // Every entry the file holds, duplicates and unknown keys included.
    const std::vector<TEntry>& Entries() const { return FEntries; }

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
    const TEntry* Find(TsuiFileEntryType type, const std::string& key) const;

    std::vector<uint8_t> FFile;
    std::vector<TEntry> FEntries;
    // A bitmap entry stays a range of the file's bytes until it is asked
    // for, so that many records naming the same large data cost nothing.
    // Streams made so far, by entry index.
    std::vector<std::unique_ptr<TMemoryStream>> FStreams;
};

// Writes skin files. The file is laid out as the header, the entries' data in
// the order they were added, then their records in the same order and the
// terminating record last, so that record i of n starts (n + 1 - i) * 77
// bytes before the end of the file.
class TsuiThemeFileWriter {
public:
    // Every Add fails with EWriteError naming the key when the key does not
    // fit a record (more than 64 bytes, or a zero byte inside).

    // A bitmap file image ("BM..."), stored as it is: the writer does not
    // decode it.
    void AddBitmap(const std::string& key, std::vector<uint8_t> bmp);
    // The bitmap as a 24-bit bitmap file.
    void AddBitmap(const std::string& key, const TBitmap& bitmap);
    // Colours are integer entries holding the TColor.
    void AddInteger(const std::string& key, int32_t value);
    void AddBoolean(const std::string& key, bool value);
    void AddText(const std::string& key, const std::string& text);

    size_t Count() const { return FEntries.size(); }

    // The whole file. Fails with EWriteError when it would outgrow the
    // 32-bit offsets.
    std::vector<uint8_t> Build() const;
    void SaveToStream(TStream& stream) const;
    // Replaces the file in one step; fails with EFCreateError when it cannot.
    void SaveToFile(const std::string& path) const;

private:
    struct TPending {
        std::string Key;
        TsuiFileEntryType Type;
        std::vector<uint8_t> Data;
    };
    std::vector<TPending> FEntries;
};
