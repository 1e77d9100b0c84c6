#pragma once
// The window system the framework draws on: top-level and popup windows with
// a pixel back buffer each, input events in screen coordinates, a monotonic
// clock and the few desktop services the controls ask for. Two backends
// implement it: SdlBackend (real windows) and HeadlessBackend (memory only,
// virtual clock, injected input). Backend.h picks one.
//
// The backend deliberately knows nothing of keyboard focus, mouse capture or
// which window lies under the pointer: without a window manager the display
// server reports those unreliably, so the framework decides them itself from
// the global coordinates every mouse event carries.

#include "platform/window/WindowShape.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Windows virtual-key codes, with their Win32 values, so key handling reads
// as it does in the system's own code.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12; // Alt
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21; // Page Up
constexpr int VK_NEXT = 0x22;  // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_SNAPSHOT = 0x2C;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as in Win32.
constexpr int VK_LWIN = 0x5B;
constexpr int VK_RWIN = 0x5C;
constexpr int VK_APPS = 0x5D;
constexpr int VK_NUMPAD0 = 0x60; // ..VK_NUMPAD9 = 0x69
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70; // ..VK_F24 = 0x87
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
constexpr int VK_OEM_1 = 0xBA;      // ;:
constexpr int VK_OEM_PLUS = 0xBB;   // =+
constexpr int VK_OEM_COMMA = 0xBC;  // ,<
constexpr int VK_OEM_MINUS = 0xBD;  // -_
constexpr int VK_OEM_PERIOD = 0xBE; // .>
constexpr int VK_OEM_2 = 0xBF;      // /?
constexpr int VK_OEM_3 = 0xC0;      // `~
constexpr int VK_OEM_4 = 0xDB;      // [{
constexpr int VK_OEM_5 = 0xDC;      // \|
constexpr int VK_OEM_6 = 0xDD;      // ]}
constexpr int VK_OEM_7 = 0xDE;      // '"
constexpr int VK_OEM_102 = 0xE2;    // the extra key left of Z on ISO keyboards

// A window of the window system; 0 is no window.
using TWsWindow = uint32_t;

struct TWsPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TWsPoint&) const = default;
};

// Left, top, right (exclusive), bottom (exclusive), as Win32 rectangles.
struct TWsRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    TWsRect Intersect(const TWsRect& other) const;
    bool operator==(const TWsRect&) const = default;
};

// A window's back buffer: Height rows of Width pixels, row y starting at
// Pixels + y * Pitch. A pixel is 0x00RRGGBB (the top byte is ignored).
struct TWsPixels {
    uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
    int Pitch = 0; // in pixels
    uint32_t* Row(int y) const { return Pixels + static_cast<ptrdiff_t>(y) * Pitch; }
};

enum class TWsWindowKind {
    TopLevel, // a form: borderless, the form paints its own frame
    Popup,    // a menu: stays on top, kept out of the task bar
};

enum class TWsCursor {
    Arrow,
    IBeam,
    Wait,
    Cross,
    Hand,
    SizeAll,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    No
};

enum class TWsButton { Left, Right, Middle };

// Modifier keys and mouse buttons held when an input event happened: the
// bits of TWsEvent::State.
constexpr uint32_t wsShift = 0x01;
constexpr uint32_t wsCtrl = 0x02;
constexpr uint32_t wsAlt = 0x04;
constexpr uint32_t wsLeftButton = 0x08;
constexpr uint32_t wsRightButton = 0x10;
constexpr uint32_t wsMiddleButton = 0x20;

// The State bit of a mouse button.
constexpr uint32_t ButtonBit(TWsButton button) {
    return button == TWsButton::Right    ? wsRightButton
           : button == TWsButton::Middle ? wsMiddleButton
                                         : wsLeftButton;
}

enum class TWsEventType {
    Empty,       // no event (not "None": X11 headers define that name as a macro)
    MouseMove,   // X, Y, State
    MouseDown,   // X, Y, Button, State (double clicks are the framework's to detect)
    MouseUp,     // X, Y, Button, State
    MouseWheel,  // X, Y, WheelDelta (120 per notch, positive away from the user), State
    KeyDown,     // Key (a VK_ code), Repeat, State
    KeyUp,       // Key, State
    Char,        // Char: one byte of a typed character, as WM_CHAR brings it
    Close,       // the user asked to close Window
    FocusGained, // the display server gave Window the keyboard focus (advice only)
    FocusLost,   // ... and took it away again
    Expose,      // Window's contents were lost and have been put back as last presented
    Restored,    // the desktop gave back the iconified Window (it is shown again)
    Quit,        // the program is asked to end (SIGINT or SIGTERM, the session ending)
};

// One input or window event. X and Y are screen coordinates for every mouse
// event, whichever window it was reported to.
struct TWsEvent {
    TWsEventType Type = TWsEventType::Empty;
    TWsWindow Window = 0; // the window the display server reported it for, or 0
    int X = 0;
    int Y = 0;
    TWsButton Button = TWsButton::Left;
    int WheelDelta = 0;
    int Key = 0;
    bool Repeat = false;
    unsigned char Char = 0;
    uint32_t State = 0; // ws* bits
    // When it happened, on TickCount's clock (what double-click detection
    // compares, as the platform compares message times).
    uint64_t Time = 0;
};

// Wait for ever in WaitEvent.
constexpr uint32_t WS_INFINITE = 0xFFFFFFFF;

// The operations the framework needs of a window system. Windows are created
// hidden; every coordinate is in screen pixels unless it says otherwise. Text
// is in the system's code page throughout (platform/kernel32/CodePage.h:
// UTF-8, other bytes read as Windows-1252); the backends convert at their
// edge. A typed character comes as one Char event per byte.
class TWindowSystem {
public:
    virtual ~TWindowSystem() = default;

    // "sdl" or "headless".
    virtual const char* Name() const = 0;

    // Windows. A window starts hidden, with a black back buffer of its size and
    // no shape. Operations on 0 or on a destroyed window do nothing.
    virtual TWsWindow CreateWindow(TWsWindowKind kind, const TWsRect& bounds) = 0;
    virtual void DestroyWindow(TWsWindow window) = 0;
    // Moves and resizes. The back buffer takes the new size, keeping the pixels
    // that still fit; the shape stays where it was in window coordinates.
    virtual void SetWindowBounds(TWsWindow window, const TWsRect& bounds) = 0;
    // Showing presents the whole back buffer.
    virtual void ShowWindow(TWsWindow window, bool visible) = 0;
    // Puts the window above all others of this program.
    virtual void RaiseWindow(TWsWindow window) = 0;
    // Asks the desktop to iconify the window. False when there is no desktop
    // that could give it back (no window manager): the window is left as it
    // is. A Restored event tells when the desktop gives it back.
    virtual bool MinimizeWindow(TWsWindow window) = 0;
    virtual void SetWindowTitle(TWsWindow window, const std::string& title) = 0;
    // Only the pixels inside the shape are shown and receive the mouse; an
    // empty (default) shape means the whole window.
    virtual void SetWindowShape(TWsWindow window, const TWindowShape& shape) = 0;

    // Painting: draw into the back buffer, then present the rectangle (window
    // coordinates, clipped to the window) that changed. The view is valid until
    // the window is resized or destroyed.
    virtual TWsPixels BackBuffer(TWsWindow window) = 0;
    virtual void Present(TWsWindow window, const TWsRect& rect) = 0;

    // Events. Returns false when nothing arrived within `timeoutMs`
    // (0 polls, WS_INFINITE waits as long as it takes).
    virtual bool WaitEvent(TWsEvent& event, uint32_t timeoutMs) = 0;
    // Milliseconds on a monotonic clock; the framework's timers run on it.
    virtual uint64_t TickCount() = 0;

    // The pointer as it is now, not as the last event saw it.
    virtual TWsPoint CursorPos() = 0;
    virtual void SetCursor(TWsCursor cursor) = 0;
    // Whether a mouse button (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON; asked live,
    // so a loop can poll it while a window is dragged) or a key (VK_SHIFT,
    // VK_CONTROL, VK_MENU, a letter...; as of the events taken so far) is held.
    virtual bool IsKeyDown(int vk) = 0;

    // The usable part of the primary display (without docked task bars).
    virtual TWsRect WorkArea() = 0;
    // Hands `url` to the desktop's default handler; false when that could not
    // even be attempted.
    virtual bool OpenURL(const std::string& url) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
};

// The WM_CHAR code that the key produces on its own, as the platform's key
// translation makes it: Backspace 8, Tab 9, Enter 13, Escape 27, and
// Ctrl+A..Ctrl+Z 1..26; 0 when the key makes no control character (printable
// characters come from the text input, not from here).
unsigned char ControlCharForKey(int vk, uint32_t state);
