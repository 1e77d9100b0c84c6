#pragma once
// Reads pixels off an X server's root window. Kept apart from the tests
// because Xlib's macros (None, Bool, Status...) clash with GoogleTest.

#include <cstdint>
#include <string>

class TXScreen {
public:
    explicit TXScreen(const std::string& display);
    ~TXScreen();
    TXScreen(const TXScreen&) = delete;
    TXScreen& operator=(const TXScreen&) = delete;

    bool IsOpen() const { return FDisplay != nullptr; }
    // The pixel at (x, y) as 0x00RRGGBB.
    uint32_t Pixel(int x, int y);

private:
    void* FDisplay = nullptr;
};
