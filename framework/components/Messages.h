#pragma once
// Window messages. Every message a control receives travels as a TMessage
// through its replaceable message handler (MessageHandler.h); the numbers are
// the platform's, so code written against them reads as it always has. The
// message's data travels in WParam and LParam, never in globals; the handler
// leaves its answer in Result.

#include <cstdint>
#include <functional>

#include "platform/window/WindowSystem.h"

// The record every handler receives. It mirrors the platform's message
// layout (message number, word parameter, long parameter, result), so its
// fields are plain.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// A message handler: a control's own, or a hook that replaced it.
using TWndMethod = std::function<void(TMessage&)>;
// The application-wide handler sees messages before any window does; setting
// `handled` keeps the message from its window.
using TMessageEvent = std::function<void(TMessage&, bool& handled)>;

constexpr uint16_t LoWord(uintptr_t value) {
    return static_cast<uint16_t>(value & 0xFFFF);
}
constexpr uint16_t HiWord(uintptr_t value) {
    return static_cast<uint16_t>((value >> 16) & 0xFFFF);
}
// Signed halves, as mouse coordinates in LParam are packed.
constexpr int16_t LoSmallInt(intptr_t value) {
    return static_cast<int16_t>(value & 0xFFFF);
}
constexpr int16_t HiSmallInt(intptr_t value) {
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}
constexpr intptr_t MakeLParam(int low, int high) {
    return static_cast<intptr_t>(static_cast<int32_t>((static_cast<uint32_t>(high) << 16) |
                                                      (static_cast<uint32_t>(low) & 0xFFFF)));
}

// --- Window messages ---

// The window is being destroyed; its children still exist.
constexpr uint32_t WM_DESTROY = 0x0002;
// The window moved; LParam: new client-area left (low) and top (high) in
// parent coordinates.
constexpr uint32_t WM_MOVE = 0x0003;
// The window's size changed; WParam: SIZE_RESTORED, SIZE_MINIMIZED or
// SIZE_MAXIMIZED; LParam: new client width (low) and height (high).
constexpr uint32_t WM_SIZE = 0x0005;
// The window was activated or deactivated; low word of WParam: WA_INACTIVE,
// WA_ACTIVE or WA_CLICKACTIVE.
constexpr uint32_t WM_ACTIVATE = 0x0006;
// The window received the keyboard focus (WParam: the window that lost it).
constexpr uint32_t WM_SETFOCUS = 0x0007;
// The window is about to lose the keyboard focus (WParam: the one gaining it).
constexpr uint32_t WM_KILLFOCUS = 0x0008;
// Set the window text; LParam points to the zero-terminated new text.
constexpr uint32_t WM_SETTEXT = 0x000C;
// Copy the window text; WParam: buffer size, LParam: the buffer.
constexpr uint32_t WM_GETTEXT = 0x000D;
// Paint the invalid part of the client area.
constexpr uint32_t WM_PAINT = 0x000F;
// The user or the program asks the window to close.
constexpr uint32_t WM_CLOSE = 0x0010;
// Erase the background of the invalid area; Result non-zero when erased.
// Skinned controls answer 1 without erasing: they paint everything at once.
constexpr uint32_t WM_ERASEBKGND = 0x0014;
// The window is about to be shown (WParam 1) or hidden (WParam 0).
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
// Which part of the window is at the point in LParam (screen coordinates);
// Result: one of the HT values below.
constexpr uint32_t WM_NCHITTEST = 0x0084;
// Paint the non-client frame.
constexpr uint32_t WM_NCPAINT = 0x0085;
// The pointer moved over the non-client area; WParam: hit-test value.
constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;
// Left button pressed in the non-client area; WParam: hit-test value (HTCAPTION
// starts moving the window); LParam: screen position.
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
// Left button released in the non-client area; as WM_NCLBUTTONDOWN.
constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
// Left button double-clicked in the non-client area; as WM_NCLBUTTONDOWN.
constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
// A key went down; WParam: virtual-key code; LParam: repeat count and flags.
constexpr uint32_t WM_KEYDOWN = 0x0100;
// A key went up; as WM_KEYDOWN.
constexpr uint32_t WM_KEYUP = 0x0101;
// A character was typed; WParam: the character code.
constexpr uint32_t WM_CHAR = 0x0102;
// A key went down while Alt is held (or F10); WParam: virtual-key code.
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
// A key went up while Alt is held; as WM_SYSKEYDOWN.
constexpr uint32_t WM_SYSKEYUP = 0x0105;
// A character typed while Alt is held; WParam: the character code. Alt+Space
// arrives as WM_SYSKEYDOWN with VK_SPACE, then WM_SYSCHAR with ' ' (both 0x20).
constexpr uint32_t WM_SYSCHAR = 0x0106;
// A window-menu command; WParam: an SC_ value (low 4 bits are the platform's).
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
// A timer elapsed; WParam: the timer's identifier.
constexpr uint32_t WM_TIMER = 0x0113;
// Horizontal scroll request; low word of WParam: an SB_ code; high word: the
// position for SB_THUMBTRACK and SB_THUMBPOSITION.
constexpr uint32_t WM_HSCROLL = 0x0114;
// Vertical scroll request; as WM_HSCROLL.
constexpr uint32_t WM_VSCROLL = 0x0115;
// The pointer moved over the client area; WParam: MK_ flags; LParam: client x
// (low) and y (high), signed.
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
// Left button pressed in the client area; as WM_MOUSEMOVE.
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
// Left button released; as WM_MOUSEMOVE.
constexpr uint32_t WM_LBUTTONUP = 0x0202;
// Left button double-clicked; as WM_MOUSEMOVE.
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
// Right button pressed; as WM_MOUSEMOVE.
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
// Right button released; as WM_MOUSEMOVE.
constexpr uint32_t WM_RBUTTONUP = 0x0205;
// The wheel turned; high word of WParam: signed distance in multiples of
// WHEEL_DELTA (positive away from the user); LParam: screen position.
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
// A child window was created, destroyed or clicked (see CN_PARENTNOTIFY).
constexpr uint32_t WM_PARENTNOTIFY = 0x0210;
// The window lost the mouse capture; LParam: the window gaining it.
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
// MDI: create a child window (sent to the MDI client).
constexpr uint32_t WM_MDICREATE = 0x0220;
// MDI: destroy the child window in WParam.
constexpr uint32_t WM_MDIDESTROY = 0x0221;
// MDI: to the client, activate the child in WParam; to the children, WParam is
// the child being deactivated and LParam the one being activated.
constexpr uint32_t WM_MDIACTIVATE = 0x0222;
// MDI: restore the child in WParam from maximised or minimised.
constexpr uint32_t WM_MDIRESTORE = 0x0223;
// MDI: activate the next (LParam 0) or previous child after the one in WParam.
constexpr uint32_t WM_MDINEXT = 0x0224;
// MDI: maximise the child in WParam.
constexpr uint32_t WM_MDIMAXIMIZE = 0x0225;
// MDI: tile the children.
constexpr uint32_t WM_MDITILE = 0x0226;
// MDI: cascade the children.
constexpr uint32_t WM_MDICASCADE = 0x0227;
// MDI: arrange the minimised children.
constexpr uint32_t WM_MDIICONARRANGE = 0x0228;
// MDI: Result is the active child.
constexpr uint32_t WM_MDIGETACTIVE = 0x0229;
// MDI: replace the frame's menu (WParam) and window menu (LParam).
constexpr uint32_t WM_MDISETMENU = 0x0230;
// MDI: redraw the frame's menu bar after the active child changed.
constexpr uint32_t WM_MDIREFRESHMENU = 0x0234;
// Delete the selection, copying it to the clipboard.
constexpr uint32_t WM_CUT = 0x0300;
// Copy the selection to the clipboard.
constexpr uint32_t WM_COPY = 0x0301;
// Insert the clipboard's text at the caret.
constexpr uint32_t WM_PASTE = 0x0302;
// Delete the selection.
constexpr uint32_t WM_CLEAR = 0x0303;
// Undo the last edit.
constexpr uint32_t WM_UNDO = 0x0304;

// --- Framework messages (CM_: sent by the framework between controls) ---

constexpr uint32_t CM_BASE = 0xB000;
// The form became the active form.
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
// The form stopped being the active form.
constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
// A pressed control lost the mouse: stop tracking (capture, repeat timers).
constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;
// A dialog key (Enter, Escape, Tab, arrows) offered to the controls in turn;
// WParam: the virtual-key code; Result non-zero when a control took it (a
// default button takes Enter, a cancel button Escape).
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;
// A character offered as an accelerator ("&" letters); WParam: the character;
// Result non-zero when a control took it.
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;
// Sent to a form when the focus moves between its controls; LParam: the
// control receiving the focus.
constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
// The parent's font changed; controls with ParentFont take it.
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
// The parent's colour changed; controls with ParentColor take it.
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
// Is the point in LParam (client coordinates) part of the control? Result 0
// lets the mouse fall through to what lies below.
constexpr uint32_t CM_HITTEST = CM_BASE + 10;
// The control's Visible changed.
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
// The control's Enabled changed.
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
// The control's Color changed.
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
// The control's Font changed.
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
// The control's Cursor changed.
constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 15;
// The control's Caption (window text) changed.
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
// The pointer entered the control (LParam: the control, or 0).
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
// The pointer left the control (LParam: the control, or 0).
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
// A menu's items were added, removed or changed.
constexpr uint32_t CM_MENUCHANGED = CM_BASE + 21;
// The control's showing state (visible and all parents visible) changed.
constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
// The control is about to receive the focus within its form.
constexpr uint32_t CM_ENTER = CM_BASE + 26;
// The control is about to lose the focus within its form.
constexpr uint32_t CM_EXIT = CM_BASE + 27;
// Destroy the form once the message loop is back (a form's Release).
constexpr uint32_t CM_RELEASE = CM_BASE + 33;
// The control's TabStop changed.
constexpr uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
// A control was inserted (WParam 1) into or removed (WParam 0) from the
// receiver's children; LParam: the control.
constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;
// The window was destroyed and created again with new styles (0xB033); a
// hook that removed style bits must remove them again.
constexpr uint32_t CM_RECREATEWND = CM_BASE + 51;
// A child control's size or position changed; LParam: the control.
constexpr uint32_t CM_CONTROLCHANGE = CM_BASE + 54;
// The control was floated into a window of its own (0xB03A).
constexpr uint32_t CM_FLOAT = CM_BASE + 58;

// --- Reflected notifications (CN_: a parent's notification handed back to
// the child it concerns) ---

constexpr uint32_t CN_BASE = 0xBC00;
// WM_PARENTNOTIFY handed back to the child control (0xBE10).
constexpr uint32_t CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;

// --- Message parameters ---

// WM_SIZE WParam.
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// WM_ACTIVATE low word of WParam.
constexpr uint16_t WA_INACTIVE = 0;
constexpr uint16_t WA_ACTIVE = 1;
constexpr uint16_t WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND WParam (compare after masking with 0xFFF0).
constexpr uintptr_t SC_SIZE = 0xF000;
constexpr uintptr_t SC_MOVE = 0xF010;
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_MAXIMIZE = 0xF030;
constexpr uintptr_t SC_CLOSE = 0xF060;
constexpr uintptr_t SC_KEYMENU = 0xF100;
constexpr uintptr_t SC_RESTORE = 0xF120;

// WM_NCHITTEST results and WM_NC* WParam.
constexpr intptr_t HTERROR = -2;
constexpr intptr_t HTTRANSPARENT = -1;
constexpr intptr_t HTNOWHERE = 0;
constexpr intptr_t HTCLIENT = 1;
// The caption: pressing the left button here starts moving the window.
constexpr intptr_t HTCAPTION = 2;
constexpr intptr_t HTSYSMENU = 3;
constexpr intptr_t HTMINBUTTON = 8;
constexpr intptr_t HTMAXBUTTON = 9;
constexpr intptr_t HTLEFT = 10;
constexpr intptr_t HTRIGHT = 11;
constexpr intptr_t HTTOP = 12;
constexpr intptr_t HTTOPLEFT = 13;
constexpr intptr_t HTTOPRIGHT = 14;
constexpr intptr_t HTBOTTOM = 15;
constexpr intptr_t HTBOTTOMLEFT = 16;
constexpr intptr_t HTBOTTOMRIGHT = 17;
constexpr intptr_t HTBORDER = 18;
constexpr intptr_t HTCLOSE = 20;

// Mouse message WParam flags.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;
constexpr uintptr_t MK_MBUTTON = 0x0010;
// One notch of the wheel in WM_MOUSEWHEEL.
constexpr int WHEEL_DELTA = 120;

// WM_HSCROLL / WM_VSCROLL low word of WParam.
constexpr uint16_t SB_LINEUP = 0;
constexpr uint16_t SB_LINEDOWN = 1;
constexpr uint16_t SB_PAGEUP = 2;
constexpr uint16_t SB_PAGEDOWN = 3;
constexpr uint16_t SB_THUMBPOSITION = 4;
constexpr uint16_t SB_THUMBTRACK = 5;
constexpr uint16_t SB_TOP = 6;
constexpr uint16_t SB_BOTTOM = 7;
constexpr uint16_t SB_ENDSCROLL = 8;

// Virtual-key codes (key message WParam) are the window system's VK_ codes,
// which carry the platform's values (platform/window/WindowSystem.h, included above).
