#pragma once
// The "&" accelerators of captions, as buttons, labels, menus and menu-bar
// buttons answer them. The drawing side (the underline, "&&" shown as one
// ampersand) is DrawText's.

#include <string>

// Whether `ch` is the accelerator of `caption` (the character after a
// single "&", compared without regard to case).
bool IsAccel(int ch, const std::string& caption);
