#pragma once
// A set of pixels made of rectangles, as the platform's regions: plain
// rectangles, the rounded rectangle of CreateRoundRectRgn, and unions. The
// window layer hands regions to windows as their shape.

#include <vector>

#include "framework/graphics/Types.h"

class TBitmap;

class TRegion {
public:
    TRegion() = default;
    static TRegion FromRect(const TRect& rect);
    // The platform's rounded rectangle (x1, y1)-(x2, y2) with corner ellipses
    // `ellipseWidth` x `ellipseHeight`. As on the platform the region leaves
    // out the right column and the bottom row of the rectangle (callers pass
    // the size plus one); an ellipse below 2 pixels gives a plain rectangle.
    static TRegion RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ellipseWidth,
                             int32_t ellipseHeight);

    void Union(const TRegion& other);
    void Offset(int32_t dx, int32_t dy);
    bool Contains(int32_t x, int32_t y) const;
    bool Empty() const { return FRects.empty(); }
    TRect BoundsRect() const;
    // Disjoint or overlapping rectangles whose union is the region.
    const std::vector<TRect>& Rects() const { return FRects; }
    // A mask of `width` x `height` pixels: white inside, black outside.
    void Paint(TBitmap& mask, int32_t width, int32_t height) const;

private:
    std::vector<TRect> FRects;
};
