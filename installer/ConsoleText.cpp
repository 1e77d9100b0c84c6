#include "ConsoleText.h"

#include "framework/base/SysUtils.h"
#include "platform/window/CodePage.h"

std::string ConsoleText(const std::string& ansi) {
    std::string out;
    for (unsigned char c : ansi) {
        const char32_t cp = AnsiToCodePoint(c);
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
            out += Format("\\x%02X", c);
        else
            out += AnsiToUtf8(std::string(1, static_cast<char>(c)));
    }
    return out;
}
