#pragma once
// Integer geometry shared by every layer: points and half-open rectangles
// (Left and Top inside, Right and Bottom outside), as the platform's RECT.

#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

TPoint Point(int32_t x, int32_t y);
TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom);
// The rectangle of the given size at (left, top).
TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height);

// True when the rectangle covers no pixel (Right <= Left or Bottom <= Top).
bool IsRectEmpty(const TRect& r);
// Half-open test: the right column and bottom row are outside.
bool PtInRect(const TRect& r, const TPoint& p);
// The common part; an empty result is (0, 0, 0, 0) and the function returns
// false, as the platform's IntersectRect does.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty operand is ignored.
bool UnionRect(TRect& result, const TRect& a, const TRect& b);
TRect OffsetRect(const TRect& r, int32_t dx, int32_t dy);
// Grows the rectangle by dx on the left and right and dy on top and bottom
// (negative values shrink it).
TRect InflateRect(const TRect& r, int32_t dx, int32_t dy);
// Swaps reversed edges so that Left <= Right and Top <= Bottom.
TRect NormalizeRect(const TRect& r);
