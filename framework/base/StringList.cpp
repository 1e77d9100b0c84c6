#include "StringList.h"

#include "SysUtils.h"

#include <atomic>

void TStringList::Changed() {
    static std::atomic<uint64_t> stamps{0};
    FStamp = ++stamps;
}

void TStringList::Clear() {
    FItems.clear();
    Changed();
}

void TStringList::Assign(const TStringList& other) {
    FItems = other.FItems;
    Changed();
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EListError(Format("List index out of bounds (%d)", index));
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)] = text;
    Changed();
}

int TStringList::Add(const std::string& text) {
    FItems.push_back(text);
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    FItems.insert(FItems.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    Changed();
}

int TStringList::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FItems[static_cast<size_t>(i)], text))
            return i;
    return -1;
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& line : FItems)
        text += line + "\r\n";
    return text;
}

void TStringList::SetText(const std::string& text) {
    FItems.clear();
    Changed();
    size_t end = text.find('\0');
    if (end == std::string::npos)
        end = text.size();
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        FItems.push_back(text.substr(start, stop - start));
        if (stop < end && text[stop] == '\r')
            ++stop;
        if (stop < end && text[stop] == '\n')
            ++stop;
        start = stop;
    }
}
