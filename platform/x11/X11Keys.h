#pragma once
// From X key symbols to what the window system reports.

#include <cstdint>

// The Windows virtual-key code of a key, from the symbol its key cap shows
// unshifted in the first group (so that Ctrl+C and Alt+F are the same keys
// on every layout); 0 for a key without one.
int VirtualKeyFromKeysym(unsigned long keysym);

// The character a symbol types, for when no input method is at hand; 0
// for symbols that type none (or that only an input method knows).
char32_t CharacterFromKeysym(unsigned long keysym);
