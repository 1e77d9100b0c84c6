#pragma once
// The few questions the SDL backend asks the X server itself.
//
// The pointer: SDL caches its global mouse state and refreshes it only on raw
// motion, so after the pointer is warped (as test tools and some desktops do)
// SDL keeps reporting the old place; asking the server is always right.
// The window manager: whether one runs decides whether a window can be
// iconified and given back by the desktop.
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

private:
    void* FDisplay = nullptr;
};
