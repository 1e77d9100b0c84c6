#include "StringList.h"

#include "SysUtils.h"

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
    ++FStamp;
}

int TStringList::Add(const std::string& text) {
    FItems.push_back(text);
    ++FStamp;
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    FItems.insert(FItems.begin() + index, text);
    ++FStamp;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    ++FStamp;
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
    ++FStamp;
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
