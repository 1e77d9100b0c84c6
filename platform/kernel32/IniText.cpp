#include "platform/kernel32/IniText.h"

#include <vector>

namespace {

// One line of the file: its text and its line end, kept apart so that an
// untouched line can be written back exactly.
struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        size_t endLength =
            (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n') ? 2 : 1;
        lines.push_back({text.substr(start, stop - start), text.substr(stop, endLength)});
        start = stop + endLength;
    }
    return lines;
}

std::string Trim(const std::string& s) {
    size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

// The section name of a header line "[name]", if the line is one.
std::optional<std::string> SectionName(const std::string& line) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, if the line is one (comments are not).
std::optional<std::string> KeyName(const std::string& line) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';')
        return std::nullopt;
    size_t eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(0, eq));
}

// Where a section's lines are: header index and one past its last line.
struct SectionRange {
    size_t header;
    size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines,
                                        const std::string& section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i].text);
        if (!name || !SameName(*name, section))
            continue;
        size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end].text))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::string Join(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& line : lines)
        out += line.text + line.end;
    return out;
}

} // namespace

std::string SetIniValue(const std::string& text, const std::string& section,
                        const std::optional<std::string>& key,
                        const std::optional<std::string>& value) {
    std::vector<Line> lines = SplitLines(text);
    auto range = FindSection(lines, section);

    if (!key) {
        if (range)
            lines.erase(lines.begin() + static_cast<long>(range->header),
                        lines.begin() + static_cast<long>(range->end));
        return Join(lines);
    }

    if (!range) {
        if (!value)
            return text;
        if (!lines.empty() && lines.back().end.empty())
            lines.back().end = "\r\n";
        lines.push_back({"[" + section + "]", "\r\n"});
        lines.push_back({*key + "=" + *value, "\r\n"});
        return Join(lines);
    }

    for (size_t i = range->header + 1; i < range->end; ++i) {
        auto name = KeyName(lines[i].text);
        if (!name || !SameName(*name, *key))
            continue;
        if (value) {
            lines[i] = Line{*key + "=" + *value, "\r\n"};
        } else {
            lines.erase(lines.begin() + static_cast<long>(i));
        }
        return Join(lines);
    }

    if (!value)
        return text;
    // A new key goes after the section's last non-blank line, so that a blank
    // line separating it from the next section stays where it is.
    size_t insertAt = range->end;
    while (insertAt > range->header + 1 && Trim(lines[insertAt - 1].text).empty())
        --insertAt;
    if (lines[insertAt - 1].end.empty())
        lines[insertAt - 1].end = "\r\n";
    lines.insert(lines.begin() + static_cast<long>(insertAt), Line{*key + "=" + *value, "\r\n"});
    return Join(lines);
}

std::optional<std::string> GetIniValue(const std::string& text, const std::string& section,
                                       const std::string& key) {
    std::vector<Line> lines = SplitLines(text);
    auto range = FindSection(lines, section);
    if (!range)
        return std::nullopt;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        auto name = KeyName(lines[i].text);
        if (name && SameName(*name, key)) {
            std::string t = Trim(lines[i].text);
            return Trim(t.substr(t.find('=') + 1));
        }
    }
    return std::nullopt;
}
