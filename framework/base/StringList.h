#pragma once
// An ordered list of 8-bit text lines, the way the system keeps licence texts,
// movie lists and memo lines.

#include <cstdint>
#include <string>
#include <vector>

class TStringList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    // Fails with "List index out of bounds (%d)".
    const std::string& Get(int index) const;
    void Put(int index, const std::string& text);
    const std::string& operator[](int index) const { return Get(index); }

    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // First line equal to `text` without regard to ASCII case, or -1.
    int IndexOf(const std::string& text) const;
    void Assign(const TStringList& other);

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines with those of `text`: a line ends at CR LF, a lone CR
    // or a lone LF; a NUL ends the text; a last line without a line end still
    // counts, and a final line end does not start an empty line.
    void SetText(const std::string& text);

    const std::vector<std::string>& Items() const { return FItems; }
    // Changes with every edit of the list (no two edits of any lists share
    // one, so a list copied over another changes it too): whoever keeps
    // something derived from the lines (a memo its text) learns whether to
    // derive it again without comparing them all.
    uint64_t Stamp() const { return FStamp; }

private:
    void CheckIndex(int index, int limit) const;
    void Changed();
    std::vector<std::string> FItems;
    uint64_t FStamp = 0;
};
