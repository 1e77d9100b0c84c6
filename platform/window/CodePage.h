#pragma once
// Conversion between the system's 8-bit ANSI text (Windows-1252) and the
// UTF-8 that the desktop speaks (window titles, text input, the clipboard).

#include <string>

std::string AnsiToUtf8(const std::string& ansi);
// Characters that Windows-1252 cannot hold become '?', as the platform's own
// conversion does; malformed UTF-8 bytes become '?' one by one.
std::string Utf8ToAnsi(const std::string& utf8);
// The Unicode code point of an ANSI character, and back (-1 when there is none).
char32_t AnsiToCodePoint(unsigned char c);
int CodePointToAnsi(char32_t codePoint);
