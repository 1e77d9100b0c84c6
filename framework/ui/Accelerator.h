#pragma once
// The "&" accelerators of captions, as buttons, labels, menus and menu-bar
// buttons answer them. The drawing side (the underline, "&&" shown as one
// ampersand) is DrawText's.

#include <string>

// Whether `ch`, a character's Unicode code point, is the accelerator of
// `caption`: the character after its first single "&", which may take
// several bytes, compared without regard to case. CM_DIALOGCHAR brings
// the code point of a whole typed character, whatever bytes it came in.
bool IsAccel(int ch, const std::string& caption);
