#include "platform/window/WindowBuffers.h"

#include <algorithm>

namespace {

// Copies the overlapping top-left part of an old pixel grid into a new one.
std::vector<uint32_t> Resized(const std::vector<uint32_t>& old, int oldWidth, int oldHeight,
                              int width, int height) {
    std::vector<uint32_t> fresh(static_cast<size_t>(width) * height, 0);
    const int w = std::min(oldWidth, width);
    const int h = std::min(oldHeight, height);
    for (int y = 0; y < h; ++y)
        std::copy_n(old.begin() + static_cast<ptrdiff_t>(y) * oldWidth, w,
                    fresh.begin() + static_cast<ptrdiff_t>(y) * width);
    return fresh;
}

} // namespace

TWindowBuffers::TWindowBuffers(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)),
      FBack(static_cast<size_t>(FWidth) * FHeight, 0), FFront(FBack) {}

TWsPixels TWindowBuffers::Back() {
    if (FBack.empty())
        return TWsPixels{};
    return TWsPixels{FBack.data(), FWidth, FHeight, FWidth};
}

void TWindowBuffers::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight)
        return;
    FBack = Resized(FBack, FWidth, FHeight, width, height);
    FFront = Resized(FFront, FWidth, FHeight, width, height);
    FWidth = width;
    FHeight = height;
}

TWsRect TWindowBuffers::Present(const TWsRect& rect) {
    const TWsRect r = rect.Intersect(TWsRect{0, 0, FWidth, FHeight});
    if (r.IsEmpty())
        return TWsRect{};
    for (int y = r.Top; y < r.Bottom; ++y) {
        const ptrdiff_t row = static_cast<ptrdiff_t>(y) * FWidth;
        std::copy(FBack.begin() + row + r.Left, FBack.begin() + row + r.Right,
                  FFront.begin() + row + r.Left);
    }
    return r;
}
