#include "skin/SUIPublic.h"

#include "framework/Bitmap.h"

#include <algorithm>

void CutFrame(const TBitmap& source, TBitmap& dest, int frameCount, int frameIndex) {
    if (frameCount < 1 || frameIndex < 1 || frameIndex > frameCount) {
        dest.Clear();
        return;
    }
    const int32_t w = source.Width() / frameCount;
    const int32_t h = source.Height();
    // Through a temporary, so that cutting a strip into itself works.
    TBitmap frame(w, h);
    const int32_t left = w * (frameIndex - 1);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(source.ScanLine(y) + left, w, frame.ScanLine(y));
    dest.SetSize(w, h);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(frame.ScanLine(y), w, dest.ScanLine(y));
    dest.Modified();
}
