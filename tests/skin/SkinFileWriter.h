#pragma once
// Writes skin files for the tests: a header, the entries' data, then the
// record chain ending in a terminator record.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class TSkinFileWriter {
public:
    using Bytes = std::vector<uint8_t>;

    void AddBitmap(const std::string& key, const Bytes& bmp) { Add(key, 0, bmp); }
    void AddInteger(const std::string& key, int32_t value) {
        Add(key, 1, Le32(static_cast<uint32_t>(value)));
    }
    void AddBoolean(const std::string& key, uint8_t value) { Add(key, 2, Bytes{value}); }
    void AddText(const std::string& key, const std::string& text) {
        Add(key, 3, Bytes(text.begin(), text.end()));
    }
    // An entry of any type with any data, and optionally a size field that
    // does not match the data.
    void Add(const std::string& key, uint8_t type, const Bytes& data, int64_t sizeField = -1) {
        FEntries.push_back({key, type, data,
                            sizeField < 0 ? static_cast<uint32_t>(data.size())
                                          : static_cast<uint32_t>(sizeField)});
    }

    Bytes Build() const {
        Bytes out(24, 0);
        std::memcpy(out.data(), "Tessera_TB", 10);
        Put(out, 12, 24);
        std::vector<uint32_t> dataOffsets;
        for (const Entry& e : FEntries) {
            dataOffsets.push_back(static_cast<uint32_t>(out.size()));
            out.insert(out.end(), e.data.begin(), e.data.end());
        }
        const uint32_t firstRecord = static_cast<uint32_t>(out.size());
        Put(out, 20, firstRecord);
        for (size_t i = 0; i <= FEntries.size(); ++i) {
            Bytes record(77, 0);
            if (i < FEntries.size()) {
                const Entry& e = FEntries[i];
                std::memcpy(record.data(), e.key.data(), std::min<size_t>(e.key.size(), 64));
                record[64] = e.type;
                Put(record, 65, dataOffsets[i]);
                Put(record, 69, e.sizeField);
                Put(record, 73, firstRecord + static_cast<uint32_t>(77 * (i + 1)));
            }
            out.insert(out.end(), record.begin(), record.end());
        }
        return out;
    }

    static Bytes Le32(uint32_t v) {
        return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    }
    static void Put(Bytes& out, size_t at, uint32_t v) {
        Bytes le = Le32(v);
        std::memcpy(out.data() + at, le.data(), 4);
    }

private:
    struct Entry {
        std::string key;
        uint8_t type;
        Bytes data;
        uint32_t sizeField;
    };
    std::vector<Entry> FEntries;
};
