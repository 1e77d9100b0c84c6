#include "ConsoleText.h"

#include "framework/base/SysUtils.h"
#include "platform/kernel32/CodePage.h"

std::string ConsoleText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const TCharacter c = DecodeCharacter(text, pos);
        if (c.CodePoint < 0x20 || (c.CodePoint >= 0x7F && c.CodePoint < 0xA0)) {
            for (size_t k = 0; k < c.Length; ++k)
                out += Format("\\x%02X", static_cast<unsigned char>(text[pos + k]));
        } else if (c.Length == 1 && c.CodePoint >= 0x80) {
            AppendUtf8(out, c.CodePoint);
        } else {
            out.append(text, pos, c.Length);
        }
        pos += c.Length;
    }
    return out;
}
