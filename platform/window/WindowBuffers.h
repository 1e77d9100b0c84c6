#pragma once
// The pixels a window system keeps for one window: the back buffer the
// framework paints into and the front buffer, which holds what was last
// presented (what the screen shows, and what a backend puts back when the
// display server loses a window's contents). Both are row by row, 0x00RRGGBB,
// as wide as the window. A resize keeps what both buffers hold where it still
// fits, so a window that grows shows its old picture until it is repainted.

#include "platform/window/WindowSystem.h"

#include <cstdint>
#include <vector>

class TWindowBuffers {
public:
    TWindowBuffers() = default;
    // Both buffers black. Negative sizes count as 0.
    TWindowBuffers(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // The back buffer; null pixels for a window without any.
    TWsPixels Back();
    // What was presented.
    const std::vector<uint32_t>& Front() const { return FFront; }
    uint32_t FrontPixel(int x, int y) const { return FFront[static_cast<size_t>(y) * FWidth + x]; }

    // Each buffer keeps its overlapping top-left part; the rest is black.
    // Negative sizes count as 0.
    void Resize(int width, int height);
    // Copies `rect` of the back buffer to the front buffer and returns the
    // part that was copied: `rect` clipped to the window (empty when nothing
    // of it lies inside).
    TWsRect Present(const TWsRect& rect);

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint32_t> FBack;
    std::vector<uint32_t> FFront;
};
