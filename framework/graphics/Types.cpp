#include "framework/graphics/Types.h"

#include <algorithm>
#include <utility>

TPoint Point(int32_t x, int32_t y) {
    return {x, y};
}

TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {left, top, right, bottom};
}

TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, left + width, top + height};
}

bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

bool PtInRect(const TRect& r, const TPoint& p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (IsRectEmpty(r)) {
        result = TRect{};
        return false;
    }
    result = r;
    return true;
}

bool UnionRect(TRect& result, const TRect& a, const TRect& b) {
    if (IsRectEmpty(a)) {
        result = IsRectEmpty(b) ? TRect{} : b;
    } else if (IsRectEmpty(b)) {
        result = a;
    } else {
        result = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                  std::max(a.Bottom, b.Bottom)};
    }
    return !IsRectEmpty(result);
}

TRect OffsetRect(const TRect& r, int32_t dx, int32_t dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TRect InflateRect(const TRect& r, int32_t dx, int32_t dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

TRect NormalizeRect(const TRect& r) {
    TRect n = r;
    if (n.Left > n.Right)
        std::swap(n.Left, n.Right);
    if (n.Top > n.Bottom)
        std::swap(n.Top, n.Bottom);
    return n;
}
