#pragma once
// The tokens of a stored layout: identifiers, integers (decimal or $hex),
// strings ('quoted', with '' for a quote, and #nn character codes, adjacent
// parts joined), binary blocks ({ hex digits }), and the symbols
// = : . , + - [ ] ( ) < >. Positions are 1-based lines and byte columns.
//
// A string's value is UTF-8. Quoted bytes are system text (UTF-8, other bytes
// read as Windows-1252; platform/kernel32/CodePage.h) and become their UTF-8.
// A character code has up to 5 decimal or 4 hexadecimal ($hhhh) digits: below
// 128 it is that ASCII character, 128 to 255 the Windows-1252 reading of that
// byte (#128 is the euro sign, #233 e acute: layouts were written in that code
// page), above that a Unicode code point, given as UTF-16 does: a high
// surrogate's code followed by a low surrogate's is one character beyond
// U+FFFF, and a surrogate's code on its own is an "Invalid character code".

#include "framework/base/SysUtils.h"

#include <cstdint>
#include <string>

// A layout that cannot be read: the message names the line and column.
class ELayoutError : public EReadError {
public:
    ELayoutError(const std::string& message, int line, int column);
    int Line() const { return FLine; }
    int Column() const { return FColumn; }
    // The message without the position.
    const std::string& Reason() const { return FReason; }

private:
    std::string FReason;
    int FLine;
    int FColumn;
};

enum class TLayoutTokenKind { ltEnd, ltIdent, ltInteger, ltString, ltBinary, ltSymbol };

class TLayoutToken {
public:
    TLayoutTokenKind Kind() const { return FKind; }
    // Identifier, string value, binary bytes, or the symbol character.
    const std::string& Text() const { return FText; }
    // ltInteger: the value (hexadecimal reads as unsigned, up to 16 digits).
    int64_t Integer() const { return FInteger; }
    int Line() const { return FLine; }
    int Column() const { return FColumn; }

    bool IsSymbol(char c) const { return FKind == TLayoutTokenKind::ltSymbol && FText[0] == c; }
    // An identifier equal to `word` without regard to case.
    bool IsWord(const char* word) const;

private:
    friend class TLayoutLexer;
    TLayoutTokenKind FKind = TLayoutTokenKind::ltEnd;
    std::string FText;
    int64_t FInteger = 0;
    int FLine = 1;
    int FColumn = 1;
};

class TLayoutLexer {
public:
    // Reads the first token. `text` must outlive the lexer.
    explicit TLayoutLexer(const std::string& text);

    const TLayoutToken& Token() const { return FToken; }
    void Next();

    // Fails at the current token's position.
    [[noreturn]] void Error(const std::string& message) const;
    [[noreturn]] void ErrorAt(const std::string& message, int line, int column) const;

private:
    int Peek(size_t ahead = 0) const;
    void Advance();
    void ReadString();
    void ReadNumber();
    void ReadBinary();

    const std::string& FText;
    size_t FPos = 0;
    int FLine = 1;
    int FColumn = 1;
    TLayoutToken FToken;
};
