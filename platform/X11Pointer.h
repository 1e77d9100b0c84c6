#pragma once
// The pointer as the X server has it now. SDL caches its global mouse state
// and refreshes it only on raw motion, so after the pointer is warped (as
// test tools and some desktops do) SDL keeps reporting the old place; asking
// the server directly is always right. Kept apart because Xlib's macros
// (Expose, None, KeyPress...) collide with the window system's names.

#include <cstdint>

class TX11Pointer {
public:
    // Connects to $DISPLAY; IsOpen() tells whether that worked.
    TX11Pointer();
    ~TX11Pointer();
    TX11Pointer(const TX11Pointer&) = delete;
    TX11Pointer& operator=(const TX11Pointer&) = delete;

    bool IsOpen() const { return Display_ != nullptr; }
    // Screen position and held buttons (bit 0 left, 1 middle, 2 right);
    // false when the server could not be asked.
    bool Query(int& x, int& y, uint32_t& buttons);

private:
    void* Display_ = nullptr;
};
