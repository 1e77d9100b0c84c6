#include "framework/ui/Accelerator.h"

#include <cctype>

bool IsAccel(int ch, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(ch & 0xFF);
    }
    return false;
}
