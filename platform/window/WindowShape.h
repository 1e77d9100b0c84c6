#pragma once
// The outline of a window, one bit per pixel in window coordinates: pixels
// inside are shown and receive the mouse, pixels outside are see-through and
// clicks there go to whatever lies below. Like a Win32 window region it keeps
// its place when the window is resized: whatever lies beyond its extent is
// outside. A default-constructed shape is empty and stands for "no shape",
// the whole window.

#include <cstdint>
#include <vector>

class TWindowShape {
public:
    TWindowShape() = default;
    // All pixels outside. Negative sizes count as 0.
    TWindowShape(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // True for "no shape" (nothing to clip by).
    bool IsEmpty() const { return FWidth == 0 || FHeight == 0; }

    // Marks the pixels of (left, top, right, bottom), clipped to the extent, as
    // inside.
    void AddRect(int left, int top, int right, int bottom);
    void SetPixel(int x, int y, bool inside);
    // Outside the extent is outside, so an empty shape contains nothing here;
    // use WindowContains for the window's rule.
    bool Contains(int x, int y) const;
    // Whether a window of the given size with this shape shows pixel (x, y).
    bool WindowContains(int width, int height, int x, int y) const;

    bool operator==(const TWindowShape&) const = default;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FInside; // one byte per pixel, row by row
};
