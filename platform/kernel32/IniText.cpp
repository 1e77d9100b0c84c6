#include "platform/kernel32/IniText.h"

#include "platform/kernel32/CodePage.h"

#include <cstdint>
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

// Names are compared character by character, each read as the system reads
// text (UTF-8, other bytes as their Windows-1252 reading), so that a name
// the caller gives in UTF-8 finds the same name stored in Windows-1252 bytes
// and the other way round. Only ASCII letters are folded: "É" and "é" are
// different names, as they are to a profile file's ASCII-minded readers, and
// no locale's case rules come into it.
bool SameName(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const TCharacter x = DecodeCharacter(a, i), y = DecodeCharacter(b, j);
        const auto fold = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
        if (fold(x.CodePoint) != fold(y.CodePoint))
            return false;
        i += x.Length;
        j += y.Length;
    }
    return i == a.size() && j == b.size();
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

// The key of a "key=value" line, if the line is one (comments are not). A
// line without '=' is a key without a value: the profile routines match it,
// replace it and delete it like any other key.
std::optional<std::string> KeyName(const std::string& line) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';')
        return std::nullopt;
    return Trim(t.substr(0, t.find('=')));
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

std::string SetIniValue(const std::string& text, const std::string& sectionArgument,
                        const std::optional<std::string>& keyArgument,
                        const std::optional<std::string>& value) {
    const std::string section = Trim(sectionArgument);
    std::optional<std::string> key;
    if (keyArgument)
        key = Trim(*keyArgument);
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
    auto range = FindSection(lines, Trim(section));
    if (!range)
        return std::nullopt;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        auto name = KeyName(lines[i].text);
        if (name && SameName(*name, Trim(key))) {
            std::string t = Trim(lines[i].text);
            const size_t eq = t.find('=');
            if (eq == std::string::npos)
                return std::nullopt; // the key has no value
            return Trim(t.substr(eq + 1));
        }
    }
    return std::nullopt;
}

namespace {

// How a profile file's text is stored, told by its byte-order mark.
enum class TIniEncoding { Bytes, Utf8Marked, Utf16LE, Utf16BE };

TIniEncoding EncodingOf(const std::string& file) {
    if (file.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return TIniEncoding::Utf8Marked;
    if (file.compare(0, 2, "\xFF\xFE") == 0)
        return TIniEncoding::Utf16LE;
    if (file.compare(0, 2, "\xFE\xFF") == 0)
        return TIniEncoding::Utf16BE;
    return TIniEncoding::Bytes;
}

// UTF-16 text (after its mark) as UTF-8. A surrogate without its partner is
// kept as the three bytes of its own code, so that every line the edit does
// not touch encodes back to exactly the units it came from. Nothing when the
// byte count is odd.
std::optional<std::string> FromUtf16(const std::string& bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    auto unit = [&](size_t i) {
        const auto first = static_cast<uint8_t>(bytes[2 * i]);
        const auto second = static_cast<uint8_t>(bytes[2 * i + 1]);
        return static_cast<uint32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const size_t count = bytes.size() / 2;
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
            const uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(text, c);
    }
    return text;
}

// The inverse of FromUtf16. Nothing when `text` is not UTF-8 (surrogate codes
// allowed, as FromUtf16 makes them): such text has no UTF-16 form.
std::optional<std::string> ToUtf16(const std::string& text, bool bigEndian) {
    std::string out;
    auto put = [&](uint32_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    size_t i = 0;
    while (i < text.size()) {
        // The sequence's length, the lead byte's share of the code, and the
        // smallest code that needs this length (below it is an overlong form).
        const auto lead = static_cast<uint8_t>(text[i]);
        size_t length = 1;
        uint32_t c = lead;
        uint32_t minimum = 0;
        if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            c = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            c = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            c = lead & 0x07;
            minimum = 0x10000;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (i + length > text.size())
            return std::nullopt;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF)
            return std::nullopt;
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
        i += length;
    }
    return out;
}

// The file's text without its mark, as UTF-8 for a UTF-16 file.
std::optional<std::string> TextOf(const std::string& file, TIniEncoding encoding) {
    switch (encoding) {
    case TIniEncoding::Utf8Marked:
        return file.substr(3);
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE:
        return FromUtf16(file.substr(2), encoding == TIniEncoding::Utf16BE);
    default:
        return file;
    }
}

// A name or value in system text as the file's encoding spells it: bytes as
// they are for a file without a mark, UTF-8 for the others (whose UTF-16 is
// made from that), so that Windows-1252 bytes are stored as the characters
// they stand for rather than as bytes that read back as something else.
std::string ArgumentFor(TIniEncoding encoding, const std::string& text) {
    return encoding == TIniEncoding::Bytes ? text : ToUtf8(text);
}

std::optional<std::string> ArgumentFor(TIniEncoding encoding,
                                       const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    return ArgumentFor(encoding, *text);
}

// A value read from a UTF-16 file as system text: a surrogate without its
// partner (kept by FromUtf16 as the three bytes of its code, which are no
// UTF-8) becomes U+FFFD, as the platform's own conversion makes it.
std::string WithoutLoneSurrogates(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\xED' && i + 2 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            out += "\xEF\xBF\xBD";
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::optional<std::string> SetIniFileValue(const std::string& file, const std::string& section,
                                           const std::optional<std::string>& key,
                                           const std::optional<std::string>& value) {
    const TIniEncoding encoding = EncodingOf(file);
    const std::optional<std::string> text = TextOf(file, encoding);
    if (!text)
        return std::nullopt;
    const std::string edited =
        SetIniValue(*text, ArgumentFor(encoding, section), ArgumentFor(encoding, key),
                    ArgumentFor(encoding, value));
    if (edited == *text)
        return file;
    switch (encoding) {
    case TIniEncoding::Utf8Marked:
        return file.substr(0, 3) + edited;
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE: {
        const std::optional<std::string> units = ToUtf16(edited, encoding == TIniEncoding::Utf16BE);
        if (!units)
            return std::nullopt;
        return file.substr(0, 2) + *units;
    }
    default:
        return edited;
    }
}

std::optional<std::string> GetIniFileValue(const std::string& file, const std::string& section,
                                           const std::string& key) {
    const TIniEncoding encoding = EncodingOf(file);
    const std::optional<std::string> text = TextOf(file, encoding);
    if (!text)
        return std::nullopt;
    std::optional<std::string> value =
        GetIniValue(*text, ArgumentFor(encoding, section), ArgumentFor(encoding, key));
    if (value && (encoding == TIniEncoding::Utf16LE || encoding == TIniEncoding::Utf16BE))
        value = WithoutLoneSurrogates(*value);
    return value;
}
