#pragma once
// The record types metafiles use, found by walking their records without
// drawing them, and counted over many files: which types real files use,
// how many of the files use each, and whether the player reads it.

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace gfxtest {

// The record types of a valid metafile (EMF: the EMR_ numbers, header and
// end included; WMF: the META_ function numbers, end included). Fails as
// loading does for a file that is not a valid metafile.
std::set<uint32_t> MetafileRecordTypes(const std::vector<uint8_t>& file, bool& emf);

// The platform's name of a record type ("EMR_SETROP2", "META_ESCAPE"), or
// its number for one that has none.
std::string MetafileRecordName(bool emf, uint32_t type);

// Record types counted over files of one kind.
class TRecordCount {
public:
    void Add(const std::set<uint32_t>& types);
    size_t Files() const { return FFiles; }
    // Types by the number of files that use them, most used first.
    std::vector<std::pair<uint32_t, size_t>> ByUse() const;

private:
    size_t FFiles = 0;
    std::map<uint32_t, size_t> FUses;
};

// A table, one line per type: name, files using it, their share of all the
// files, and "drawn" or "skipped" as the player treats it.
std::string RecordTable(bool emf, const TRecordCount& count);

} // namespace gfxtest
