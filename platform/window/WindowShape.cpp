#include "platform/window/WindowShape.h"

#include <algorithm>

TWindowShape::TWindowShape(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)),
      FInside(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), 0) {}

void TWindowShape::AddRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, FWidth);
    bottom = std::min(bottom, FHeight);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            FInside[static_cast<size_t>(y) * FWidth + x] = 1;
}

void TWindowShape::SetPixel(int x, int y, bool inside) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    FInside[static_cast<size_t>(y) * FWidth + x] = inside ? 1 : 0;
}

bool TWindowShape::Contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return false;
    return FInside[static_cast<size_t>(y) * FWidth + x] != 0;
}

bool TWindowShape::WindowContains(int width, int height, int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    return IsEmpty() || Contains(x, y);
}
