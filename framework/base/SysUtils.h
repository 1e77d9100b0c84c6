#pragma once
// The runtime's basic services: the exception hierarchy every failure travels
// in, printf-style formatting, and the integer and text conversions of the
// system's string routines (8-bit ANSI text held in std::string).

#include <cstdint>
#include <stdexcept>
#include <string>

// Base of every failure the system raises. The message is shown to the user
// as it stands, so it is the whole text, never a code.
// An exception carries the system's own text (Message) and, where it is
// known, the reason the operation failed ("No space left on device"). The
// line shown to people (what()) is the text, then ": " and the reason, so
// that the system's words always come first.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message), FMessage(message) {}
    Exception(const std::string& message, const std::string& reason)
        : std::runtime_error(reason.empty() ? message : message + ": " + reason),
          FMessage(message), FReason(reason) {}
    const std::string& Message() const { return FMessage; }
    const std::string& Reason() const { return FReason; }

private:
    std::string FMessage;
    std::string FReason;
};

#define SSI_DECLARE_EXCEPTION(Name, Base)                                                          \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    };

SSI_DECLARE_EXCEPTION(EConvertError, Exception)
SSI_DECLARE_EXCEPTION(EListError, Exception)
SSI_DECLARE_EXCEPTION(EStreamError, Exception)
SSI_DECLARE_EXCEPTION(EReadError, EStreamError)
SSI_DECLARE_EXCEPTION(EWriteError, EStreamError)
SSI_DECLARE_EXCEPTION(EFOpenError, EStreamError)
SSI_DECLARE_EXCEPTION(EFCreateError, EStreamError)
SSI_DECLARE_EXCEPTION(EIniFileError, Exception)
SSI_DECLARE_EXCEPTION(EInvalidOperation, Exception)

// The operating system's words for an error number ("Read-only file
// system").
std::string SysErrorMessage(int error);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The system's integer syntax: leading blanks, an optional sign, then decimal
// digits or hexadecimal digits after "$" or "0x"/"0X". Nothing may follow.
// Decimal values must fit a signed 32-bit integer; hexadecimal ones may use
// all 32 bits and wrap ($FFFFFFFF is -1).
bool TryStrToInt(const std::string& text, int32_t& value);
// As TryStrToInt; fails with "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
std::string IntToStr(int64_t value);
// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(int c);

// ASCII-only case mapping and comparison (letters a to z), as the system's
// plain routines do.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
bool SameText(const std::string& a, const std::string& b);

// The file-name part of a path: everything after the last '\', '/' or ':'.
std::string ExtractFileName(const std::string& path);
// The extension including its dot ("" when there is none).
std::string ExtractFileExt(const std::string& path);
