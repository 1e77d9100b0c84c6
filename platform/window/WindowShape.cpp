#include "platform/window/WindowShape.h"

#include <algorithm>

TWindowShape::TWindowShape(int width, int height)
    : Width_(std::max(width, 0)), Height_(std::max(height, 0)),
      Inside_(static_cast<size_t>(Width_) * static_cast<size_t>(Height_), 0) {}

void TWindowShape::AddRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Width_);
    bottom = std::min(bottom, Height_);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Inside_[static_cast<size_t>(y) * Width_ + x] = 1;
}

void TWindowShape::SetPixel(int x, int y, bool inside) {
    if (x < 0 || y < 0 || x >= Width_ || y >= Height_)
        return;
    Inside_[static_cast<size_t>(y) * Width_ + x] = inside ? 1 : 0;
}

bool TWindowShape::Contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width_ || y >= Height_)
        return false;
    return Inside_[static_cast<size_t>(y) * Width_ + x] != 0;
}

bool TWindowShape::WindowContains(int width, int height, int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    return IsEmpty() || Contains(x, y);
}
