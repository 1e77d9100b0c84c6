#pragma once
// The system's code page. The system keeps its text as 8-bit strings in the
// machine's ANSI code page; here that code page is UTF-8, the one Linux
// speaks (as on a Windows machine set to code page 65001), so an author's
// name, copyright and licence show in whatever language they were written.
//
// Text made by machines set to Windows-1252 still reads right: a byte that
// does not begin a well-formed UTF-8 sequence is one character of its own,
// its Windows-1252 reading. Nothing is dropped and every byte string is
// readable. Everything that turns bytes into characters (drawing,
// measuring, editing, the console, profile files) follows this one rule, so
// they agree on where each character begins and what it is.
//
// Well-formed means as Unicode defines it: no overlong forms, no surrogates,
// nothing beyond U+10FFFF, no cut-off sequence.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct TCharacter {
    char32_t CodePoint = 0;
    uint32_t Length = 0; // bytes, 1 to 4
};

// The character that starts at text[pos] (pos < text.size()).
TCharacter DecodeCharacter(std::string_view text, size_t pos);

// Where the character after (before) the one at `pos` begins; `pos` itself
// is taken to be the start of a character. PreviousCharacter(text, 0) is 0.
inline size_t NextCharacter(std::string_view text, size_t pos) {
    if (pos >= text.size())
        return text.size();
    if (static_cast<unsigned char>(text[pos]) < 0x80)
        return pos + 1;
    return pos + DecodeCharacter(text, pos).Length;
}
size_t PreviousCharacter(std::string_view text, size_t pos);

// The start of the character that holds byte `pos` (pos itself when it is
// a start): where a caret or a cut placed at `pos` belongs.
size_t CharacterStart(std::string_view text, size_t pos);

// The number of characters in the text.
size_t CharacterCount(std::string_view text);

// The offset of the first byte that is not part of a well-formed UTF-8
// sequence, std::string_view::npos when the whole text is UTF-8.
size_t FindInvalidUtf8(std::string_view text);
inline bool IsUtf8(std::string_view text) {
    return FindInvalidUtf8(text) == std::string_view::npos;
}

// The text as well-formed UTF-8: itself when it is UTF-8 already, other
// bytes replaced by the UTF-8 of their Windows-1252 reading. What leaves
// the program for the desktop, the terminal or a UTF-8 or UTF-16 file.
std::string ToUtf8(std::string_view text);

// The text of a Latin-1 source (X11's STRING type) as UTF-8.
std::string Latin1ToUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

// The Unicode code point of a Windows-1252 byte. The five positions the
// code page leaves unassigned stand for the C1 controls of the same value,
// as the platform's own conversion has them.
char32_t Windows1252ToCodePoint(unsigned char c);
