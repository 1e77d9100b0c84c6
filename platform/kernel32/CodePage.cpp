#include "platform/kernel32/CodePage.h"

namespace {

// 0x80..0x9F, the only range where Windows-1252 differs from Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence at text[pos], 0 when there is none.
// The ranges of the second byte rule out overlong forms, surrogates and
// values beyond U+10FFFF (the table of well-formed sequences in Unicode's
// chapter on encoding forms).
uint32_t SequenceLength(std::string_view text, size_t pos) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    uint32_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (text.size() - pos < length)
        return 0;
    if (at(1) < low || at(1) > high)
        return 0;
    for (uint32_t k = 2; k < length; ++k)
        if (!IsContinuation(at(k)))
            return 0;
    return length;
}

} // namespace

char32_t Windows1252ToCodePoint(unsigned char c) {
    if (c >= 0x80 && c < 0xA0)
        return kHighControls[c - 0x80];
    return c;
}

TCharacter DecodeCharacter(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const uint32_t length = SequenceLength(text, pos);
    if (length == 0)
        return TCharacter{Windows1252ToCodePoint(lead), 1};
    static constexpr unsigned char kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t cp = lead & kLeadMask[length];
    for (uint32_t k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos + k]) & 0x3F);
    return TCharacter{cp, length};
}

size_t CharacterStart(std::string_view text, size_t pos) {
    if (pos >= text.size())
        return text.size();
    if (!IsContinuation(static_cast<unsigned char>(text[pos])))
        return pos;
    // A well-formed sequence begins at its lead byte, which is no
    // continuation byte, at most three bytes back; decoding from a
    // character start never runs into a lead byte, so whether `pos` lies
    // inside a sequence is decided by that lead byte alone.
    for (size_t back = 1; back <= 3 && back <= pos; ++back) {
        const auto c = static_cast<unsigned char>(text[pos - back]);
        if (IsContinuation(c))
            continue;
        return SequenceLength(text, pos - back) > back ? pos - back : pos;
    }
    return pos;
}

size_t PreviousCharacter(std::string_view text, size_t pos) {
    if (pos == 0)
        return 0;
    return CharacterStart(text, pos - 1);
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos = NextCharacter(text, pos))
        ++count;
    return count;
}

size_t FindInvalidUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const uint32_t length = SequenceLength(text, pos);
        if (length == 0)
            return pos;
        pos += length;
    }
    return std::string_view::npos;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string ToUtf8(std::string_view text) {
    size_t bad = FindInvalidUtf8(text);
    if (bad == std::string_view::npos)
        return std::string(text);
    std::string out(text.substr(0, bad));
    out.reserve(text.size() + 8);
    for (size_t pos = bad; pos < text.size();) {
        const TCharacter c = DecodeCharacter(text, pos);
        if (c.Length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80)
            AppendUtf8(out, c.CodePoint);
        else
            out.append(text.substr(pos, c.Length));
        pos += c.Length;
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text)
        AppendUtf8(out, c);
    return out;
}
