#include "framework/ui/Accelerator.h"

#include "framework/base/LetterCase.h"
#include "platform/kernel32/CodePage.h"

bool IsAccel(int ch, const std::string& caption) {
    if (ch <= 0)
        return false;
    for (size_t i = 0; i + 1 < caption.size(); i = NextCharacter(caption, i)) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return SameLetter(DecodeCharacter(caption, i + 1).CodePoint, static_cast<char32_t>(ch));
    }
    return false;
}
