#include "platform/window/WindowSystem.h"

#include <algorithm>

TWsRect TWsRect::Intersect(const TWsRect& other) const {
    TWsRect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
              std::min(Bottom, other.Bottom)};
    if (r.IsEmpty())
        return TWsRect{};
    return r;
}

unsigned char ControlCharForKey(int vk, uint32_t state) {
    const bool ctrl = (state & wsCtrl) != 0;
    const bool alt = (state & wsAlt) != 0;
    // Ctrl+Alt is AltGr on many keyboards and makes no control character.
    if (ctrl && alt)
        return 0;
    switch (vk) {
    case VK_BACK:
        return ctrl ? 0x7F : 0x08;
    case VK_TAB:
        return ctrl ? 0 : 0x09;
    case VK_RETURN:
        return ctrl ? 0x0A : 0x0D;
    case VK_ESCAPE:
        return 0x1B;
    default:
        break;
    }
    if (ctrl && vk >= 'A' && vk <= 'Z')
        return static_cast<unsigned char>(vk - 'A' + 1);
    return 0;
}
