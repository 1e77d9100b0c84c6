// Keys as the X server names them, as the framework wants them: virtual keys
// by the key cap, characters by the symbol.

#include "platform/window/WindowSystem.h"
#include "platform/x11/X11Keys.h"

#include <gtest/gtest.h>

#define XK_MISCELLANY
#define XK_LATIN1
#define XK_XKB_KEYS
#define XK_CYRILLIC
#include <X11/keysymdef.h>

TEST(X11Keys, KeySymbolsMapToWindowsCodes) {
    EXPECT_EQ(VirtualKeyFromKeysym(XK_a), 'A');
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromKeysym(XK_7), '7');
    EXPECT_EQ(VirtualKeyFromKeysym(XK_F1), VK_F1);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_F12), VK_F12);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_F13), VK_F12 + 1);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_9), VK_NUMPAD0 + 9);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Enter), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Home), VK_HOME) << "the keypad without Num Lock";
    EXPECT_EQ(VirtualKeyFromKeysym(XK_ISO_Left_Tab), VK_TAB) << "Shift+Tab";
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Shift_R), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Alt_L), VK_MENU);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Next), VK_NEXT);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_bracketleft), VK_OEM_4);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_minus), VK_OEM_MINUS);
    EXPECT_EQ(VirtualKeyFromKeysym(XK_Cyrillic_a), 0) << "only the first group's symbols";
    EXPECT_EQ(VirtualKeyFromKeysym(0x1008FF13 /* XF86AudioRaiseVolume */), 0);
}

TEST(X11Keys, SymbolsTypeTheirCharacters) {
    EXPECT_EQ(CharacterFromKeysym(XK_a), U'a');
    EXPECT_EQ(CharacterFromKeysym(XK_udiaeresis), U'\u00FC');
    EXPECT_EQ(CharacterFromKeysym(0x010020AC), U'\u20AC') << "symbols made from code points";
    EXPECT_EQ(CharacterFromKeysym(XK_KP_5), U'5');
    EXPECT_EQ(CharacterFromKeysym(XK_Return), 0u) << "control keys type through their key";
    EXPECT_EQ(CharacterFromKeysym(XK_Shift_L), 0u);
}
