#include "platform/x11/X11Keys.h"

#include "platform/window/WindowSystem.h"

#define XK_MISCELLANY
#define XK_LATIN1
#define XK_XKB_KEYS
#include <X11/keysymdef.h>

int VirtualKeyFromKeysym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z)
        return 'A' + int(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z)
        return 'A' + int(keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9)
        return '0' + int(keysym - XK_0);
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return VK_F1 + int(keysym - XK_F1);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return VK_NUMPAD0 + int(keysym - XK_KP_0);
    switch (keysym) {
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_space:
    case XK_KP_Space:
        return VK_SPACE;
    case XK_Prior:
    case XK_KP_Prior:
        return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next:
        return VK_NEXT;
    case XK_End:
    case XK_KP_End:
        return VK_END;
    case XK_Home:
    case XK_KP_Home:
        return VK_HOME;
    case XK_Left:
    case XK_KP_Left:
        return VK_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return VK_UP;
    case XK_Right:
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return VK_DOWN;
    case XK_Insert:
    case XK_KP_Insert:
        return VK_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_Clear:
    case XK_KP_Begin:
        return VK_CLEAR;
    case XK_Pause:
        return VK_PAUSE;
    case XK_Caps_Lock:
        return VK_CAPITAL;
    case XK_Num_Lock:
        return VK_NUMLOCK;
    case XK_Scroll_Lock:
        return VK_SCROLL;
    case XK_Print:
        return VK_SNAPSHOT;
    case XK_Help:
        return VK_HELP;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return VK_MENU;
    case XK_Super_L:
        return VK_LWIN;
    case XK_Super_R:
        return VK_RWIN;
    case XK_Menu:
        return VK_APPS;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Separator:
        return VK_SEPARATOR;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Decimal:
        return VK_DECIMAL;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_semicolon:
        return VK_OEM_1;
    case XK_equal:
        return VK_OEM_PLUS;
    case XK_comma:
        return VK_OEM_COMMA;
    case XK_minus:
        return VK_OEM_MINUS;
    case XK_period:
        return VK_OEM_PERIOD;
    case XK_slash:
        return VK_OEM_2;
    case XK_grave:
        return VK_OEM_3;
    case XK_bracketleft:
        return VK_OEM_4;
    case XK_backslash:
        return VK_OEM_5;
    case XK_bracketright:
        return VK_OEM_6;
    case XK_apostrophe:
        return VK_OEM_7;
    case XK_less:
        return VK_OEM_102;
    default:
        return 0;
    }
}

char32_t CharacterFromKeysym(unsigned long keysym) {
    // Latin-1 symbols are their own code points; symbols made from a code
    // point carry it in their low 24 bits.
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return char32_t(keysym);
    if ((keysym & 0xFF000000) == 0x01000000)
        return char32_t(keysym & 0x00FFFFFF);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return U'0' + char32_t(keysym - XK_KP_0);
    switch (keysym) {
    case XK_KP_Space:
        return U' ';
    case XK_KP_Multiply:
        return U'*';
    case XK_KP_Add:
        return U'+';
    case XK_KP_Subtract:
        return U'-';
    case XK_KP_Decimal:
        return U'.';
    case XK_KP_Divide:
        return U'/';
    default:
        return 0;
    }
}
