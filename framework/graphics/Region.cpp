#include "framework/graphics/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/Bitmap.h"

TRegion TRegion::FromRect(const TRect& rect) {
    TRegion region;
    TRect r = NormalizeRect(rect);
    if (!IsRectEmpty(r))
        region.FRects.push_back(r);
    return region;
}

TRegion TRegion::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ellipseWidth,
                           int32_t ellipseHeight) {
    TRect r = NormalizeRect(Rect(x1, y1, x2, y2));
    r.Right -= 1;
    r.Bottom -= 1;
    int32_t ew = std::min(std::abs(ellipseWidth), r.Width());
    int32_t eh = std::min(std::abs(ellipseHeight), r.Height());
    if (ew < 2 || eh < 2)
        return FromRect(r);
    // Row by row: in the corner bands (the top and bottom eh/2 rows) a row
    // keeps the pixels whose centres lie inside the corner ellipses, whose
    // boxes are ew x eh in the rectangle's corners.
    TRegion region;
    const double a = ew / 2.0, b = eh / 2.0;
    const int32_t band = eh / 2;
    auto inset = [&](int32_t row) { // row counted from the nearest edge
        double dy = (b - (row + 0.5)) / b;
        double half = a * std::sqrt(std::max(0.0, 1 - dy * dy));
        // Pixel centres x + 0.5 >= a - half (left corner).
        return int32_t(std::ceil(a - half - 0.5 - 1e-9));
    };
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        int32_t fromTop = y - r.Top, fromBottom = r.Bottom - 1 - y;
        int32_t row = std::min(fromTop, fromBottom);
        int32_t in = row < band ? inset(row) : 0;
        if (r.Left + in < r.Right - in)
            region.FRects.push_back(Rect(r.Left + in, y, r.Right - in, y + 1));
    }
    // Merge runs of identical rows so the shape stays a short list.
    std::vector<TRect> merged;
    for (const TRect& row : region.FRects) {
        if (!merged.empty() && merged.back().Left == row.Left && merged.back().Right == row.Right &&
            merged.back().Bottom == row.Top)
            merged.back().Bottom = row.Bottom;
        else
            merged.push_back(row);
    }
    region.FRects.swap(merged);
    return region;
}

void TRegion::Union(const TRegion& other) {
    FRects.insert(FRects.end(), other.FRects.begin(), other.FRects.end());
}

void TRegion::Offset(int32_t dx, int32_t dy) {
    for (TRect& r : FRects)
        r = OffsetRect(r, dx, dy);
}

bool TRegion::Contains(int32_t x, int32_t y) const {
    return std::any_of(FRects.begin(), FRects.end(), [&](const TRect& r) {
        return PtInRect(r, {x, y});
    });
}

TRect TRegion::BoundsRect() const {
    TRect bounds;
    for (const TRect& r : FRects) {
        TRect u;
        UnionRect(u, bounds, r);
        bounds = u;
    }
    return bounds;
}

void TRegion::Paint(TBitmap& mask, int32_t width, int32_t height) const {
    mask.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y)
        std::fill_n(mask.ScanLine(y), width, clBlack);
    for (const TRect& r : FRects) {
        TRect c;
        if (!IntersectRect(c, r, Rect(0, 0, width, height)))
            continue;
        for (int32_t y = c.Top; y < c.Bottom; ++y)
            std::fill_n(mask.ScanLine(y) + c.Left, c.Width(), clWhite);
    }
}
