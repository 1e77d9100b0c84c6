#include "framework/components/LayoutLexer.h"

#include "platform/kernel32/CodePage.h"

ELayoutError::ELayoutError(const std::string& message, int line, int column)
    : EReadError(Format("%s (line %d, column %d)", message.c_str(), line, column)),
      FReason(message), FLine(line), FColumn(column) {}

bool TLayoutToken::IsWord(const char* word) const {
    return FKind == TLayoutTokenKind::ltIdent && SameText(FText, word);
}

namespace {

bool IsAlpha(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

} // namespace

TLayoutLexer::TLayoutLexer(const std::string& text) : FText(text) {
    Next();
}

void TLayoutLexer::Error(const std::string& message) const {
    ErrorAt(message, FToken.FLine, FToken.FColumn);
}

void TLayoutLexer::ErrorAt(const std::string& message, int line, int column) const {
    throw ELayoutError(message, line, column);
}

int TLayoutLexer::Peek(size_t ahead) const {
    size_t at = FPos + ahead;
    return at < FText.size() ? static_cast<unsigned char>(FText[at]) : -1;
}

void TLayoutLexer::Advance() {
    if (FPos >= FText.size())
        return;
    if (FText[FPos] == '\n') {
        ++FLine;
        FColumn = 1;
    } else {
        ++FColumn;
    }
    ++FPos;
}

void TLayoutLexer::Next() {
    while (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')
        Advance();
    FToken.FLine = FLine;
    FToken.FColumn = FColumn;
    FToken.FText.clear();
    FToken.FInteger = 0;
    int c = Peek();
    if (c < 0) {
        FToken.FKind = TLayoutTokenKind::ltEnd;
    } else if (IsAlpha(c)) {
        FToken.FKind = TLayoutTokenKind::ltIdent;
        while (IsAlpha(Peek()) || IsDigit(Peek())) {
            FToken.FText += static_cast<char>(Peek());
            Advance();
        }
    } else if (IsDigit(c) || c == '$') {
        ReadNumber();
    } else if (c == '\'' || c == '#') {
        ReadString();
    } else if (c == '{') {
        ReadBinary();
    } else if (std::string("=:.,+-[]()<>").find(static_cast<char>(c)) != std::string::npos) {
        FToken.FKind = TLayoutTokenKind::ltSymbol;
        FToken.FText = static_cast<char>(c);
        Advance();
    } else {
        Error(Format("Invalid character #%d", c));
    }
}

void TLayoutLexer::ReadNumber() {
    FToken.FKind = TLayoutTokenKind::ltInteger;
    uint64_t value = 0;
    if (Peek() == '$') {
        Advance();
        int digits = 0;
        while (HexDigitValue(Peek()) >= 0) {
            if (++digits > 16)
                Error("Number too large");
            value = value * 16 + static_cast<uint64_t>(HexDigitValue(Peek()));
            Advance();
        }
        if (digits == 0)
            Error("Invalid number");
        FToken.FInteger = static_cast<int64_t>(value);
    } else {
        while (IsDigit(Peek())) {
            uint64_t digit = static_cast<uint64_t>(Peek() - '0');
            if (value > (uint64_t(INT64_MAX) - digit) / 10)
                Error("Number too large");
            value = value * 10 + digit;
            Advance();
        }
        FToken.FInteger = static_cast<int64_t>(value);
    }
    if (IsAlpha(Peek()) || Peek() == '.')
        Error("Invalid number");
}

namespace {

// The character a #code stands for, 0 included: a code below 128 is that
// ASCII character, 128..255 the Windows-1252 reading of that byte (layouts
// were written in that code page), anything above a Unicode code point; a
// surrogate code is half of one, which the reader puts together.
char32_t CharacterOfCode(int code) {
    return code < 256 ? Windows1252ToCodePoint(static_cast<unsigned char>(code))
                      : static_cast<char32_t>(code);
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

} // namespace

void TLayoutLexer::ReadString() {
    FToken.FKind = TLayoutTokenKind::ltString;
    // A high surrogate's code waits for the low one that must follow it.
    char32_t high = 0;
    int highLine = 0, highColumn = 0;
    for (;;) {
        if (high != 0 && Peek() != '#')
            ErrorAt("Invalid character code", highLine, highColumn);
        if (Peek() == '\'') {
            int line = FLine, column = FColumn;
            Advance();
            std::string part;
            for (;;) {
                int c = Peek();
                if (c < 0 || c == '\r' || c == '\n')
                    ErrorAt("Unterminated string", line, column);
                Advance();
                if (c == '\'') {
                    if (Peek() != '\'')
                        break;
                    Advance();
                }
                part += static_cast<char>(c);
            }
            FToken.FText += ToUtf8(part);
        } else if (Peek() == '#') {
            int line = FLine, column = FColumn;
            Advance();
            int code = 0;
            int digits = 0;
            const bool hex = Peek() == '$';
            if (hex)
                Advance();
            const int maxDigits = hex ? 4 : 5;
            for (;;) {
                const int value = hex ? HexDigitValue(Peek()) : IsDigit(Peek()) ? Peek() - '0' : -1;
                if (value < 0)
                    break;
                if (++digits > maxDigits)
                    ErrorAt("Invalid character code", line, column);
                code = code * (hex ? 16 : 10) + value;
                Advance();
            }
            if (digits == 0 || code > 0x10FFFF)
                ErrorAt("Invalid character code", line, column);
            char32_t c = CharacterOfCode(code);
            if (high != 0) {
                if (!IsLowSurrogate(c))
                    ErrorAt("Invalid character code", highLine, highColumn);
                c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
                high = 0;
            } else if (IsHighSurrogate(c)) {
                high = c;
                highLine = line;
                highColumn = column;
                continue;
            } else if (IsLowSurrogate(c)) {
                ErrorAt("Invalid character code", line, column);
            }
            AppendUtf8(FToken.FText, c);
        } else {
            return;
        }
    }
}

void TLayoutLexer::ReadBinary() {
    FToken.FKind = TLayoutTokenKind::ltBinary;
    Advance(); // '{'
    int high = -1;
    for (;;) {
        int c = Peek();
        if (c < 0)
            Error("Unterminated binary data");
        if (c == '}') {
            if (high >= 0)
                Error("Odd number of hexadecimal digits in binary data");
            Advance();
            return;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            Advance();
            continue;
        }
        int v = HexDigitValue(c);
        if (v < 0)
            ErrorAt("Invalid binary data", FLine, FColumn);
        Advance();
        if (high < 0) {
            high = v;
        } else {
            FToken.FText += static_cast<char>(high * 16 + v);
            high = -1;
        }
    }
}
