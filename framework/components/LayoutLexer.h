#pragma once
// The tokens of a stored layout: identifiers, integers (decimal or $hex),
// strings ('quoted', with '' for a quote, and #nn character codes, adjacent
// parts joined), binary blocks ({ hex digits }), and the symbols
// = : . , + - [ ] ( ) < >. Positions are 1-based lines and byte columns.

#include "framework/base/SysUtils.h"

#include <cstdint>
#include <string>

// A layout that cannot be read: the message names the line and column.
class ELayoutError : public EReadError {
public:
    ELayoutError(const std::string& message, int line, int column);
    int Line() const { return line_; }
    int Column() const { return column_; }
    // The message without the position.
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
    int line_;
    int column_;
};

enum class TLayoutTokenKind { ltEnd, ltIdent, ltInteger, ltString, ltBinary, ltSymbol };

class TLayoutToken {
public:
    TLayoutTokenKind Kind() const { return kind_; }
    // Identifier, string value, binary bytes, or the symbol character.
    const std::string& Text() const { return text_; }
    // ltInteger: the value (hexadecimal reads as unsigned, up to 16 digits).
    int64_t Integer() const { return integer_; }
    int Line() const { return line_; }
    int Column() const { return column_; }

    bool IsSymbol(char c) const { return kind_ == TLayoutTokenKind::ltSymbol && text_[0] == c; }
    // An identifier equal to `word` without regard to case.
    bool IsWord(const char* word) const;

private:
    friend class TLayoutLexer;
    TLayoutTokenKind kind_ = TLayoutTokenKind::ltEnd;
    std::string text_;
    int64_t integer_ = 0;
    int line_ = 1;
    int column_ = 1;
};

class TLayoutLexer {
public:
    // Reads the first token. `text` must outlive the lexer.
    explicit TLayoutLexer(const std::string& text);

    const TLayoutToken& Token() const { return token_; }
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

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    TLayoutToken token_;
};
