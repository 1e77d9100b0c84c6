#pragma once
// The few questions the SDL backend asks the X server itself.
//
// The pointer: SDL caches its global mouse state and refreshes it only on raw
// motion, so after the pointer is warped (as test tools and some desktops do)
// SDL keeps reporting the old place; asking the server is always right.
// The window manager: whether one runs decides whether a window can be
// iconified and given back by the desktop.
// Late wake-ups: SDL ends its wait for events by sending an event to one of
// the program's windows over a second connection. The server may carry out a
// destruction of that window, sent over the first connection, before it; the
// send then fails with BadWindow, and Xlib's default handler ends the program
// with status 1 the next time that connection is read (at the latest when SDL
// closes it). The lost wake-up itself is harmless.
//
// Kept apart because Xlib's macros (Expose, None, KeyPress...) collide with
// the window system's names.

#include <cstdint>

class TX11Display {
public:
    // Connects to $DISPLAY; IsOpen() tells whether that worked.
    TX11Display();
    ~TX11Display();
    TX11Display(const TX11Display&) = delete;
    TX11Display& operator=(const TX11Display&) = delete;

    bool IsOpen() const { return FDisplay != nullptr; }
    // Screen position and held buttons (bit 0 left, 1 middle, 2 right);
    // false when the server could not be asked.
    bool QueryPointer(int& x, int& y, uint32_t& buttons);
    // Whether a window manager owns the default screen (the ICCCM WM_Sn
    // selection).
    bool HasWindowManager();

    // Installs, once per process and before SDL starts (SDL's own handler
    // passes errors on to the one it finds), an Xlib error handler that
    // drops BadWindow errors of sent events and hands every other error to
    // the handler that was there before.
    static void TolerateLateWakeups();

private:
    void* FDisplay = nullptr;
};
