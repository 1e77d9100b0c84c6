#include "framework/ImageList.h"

#include <algorithm>

#include "framework/Canvas.h"

TImageList::TImageList(int32_t width, int32_t height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)) {}

void TImageList::SetSize(int32_t width, int32_t height) {
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FImages.clear();
}

int TImageList::AddImages(const TBitmap& image,
                          const std::function<bool(int32_t, int32_t)>& transparent) {
    if (FWidth == 0 || FHeight == 0 || image.Width() < FWidth)
        throw EInvalidOperation("Invalid image size");
    const int first = Count();
    const int pieces = image.Width() / FWidth;
    for (int k = 0; k < pieces; ++k) {
        TImage img{TBitmap(FWidth, FHeight),
                   std::vector<uint8_t>(size_t(FWidth) * size_t(FHeight), 0)};
        for (int32_t y = 0; y < std::min(FHeight, image.Height()); ++y)
            for (int32_t x = 0; x < FWidth; ++x) {
                const int32_t sx = k * FWidth + x;
                img.Pixels.ScanLine(y)[x] = image.Pixel(sx, y);
                img.Opaque[size_t(y) * size_t(FWidth) + size_t(x)] = transparent(sx, y) ? 0 : 255;
            }
        FImages.push_back(std::move(img));
    }
    return first;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (!mask)
        return AddImages(image, [](int32_t, int32_t) { return false; });
    return AddImages(image, [mask](int32_t x, int32_t y) {
        TColor m = mask->Pixel(x, y);
        return m != clNone && m != clBlack;
    });
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    const TColor key = ColorToRGB(maskColor);
    return AddImages(image,
                     [&image, key](int32_t x, int32_t y) { return image.Pixel(x, y) == key; });
}

void TImageList::Delete(int index) {
    if (index >= 0 && index < Count())
        FImages.erase(FImages.begin() + index);
}

void TImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    const TImage& img = FImages[size_t(index)];
    const TRect src = Rect(0, 0, FWidth, FHeight);
    if (enabled) {
        canvas.StretchBlt(Bounds(x, y, FWidth, FHeight), img.Pixels, src, clNone, &img.Opaque);
        return;
    }
    // The image reduced to one bit: opaque and not white.
    std::vector<uint8_t> ink(img.Opaque.size(), 0);
    for (int32_t py = 0; py < FHeight; ++py)
        for (int32_t px = 0; px < FWidth; ++px) {
            size_t i = size_t(py) * size_t(FWidth) + size_t(px);
            ink[i] = (img.Opaque[i] && img.Pixels.Pixel(px, py) != clWhite) ? 255 : 0;
        }
    TBitmap highlight(FWidth, FHeight), shadow(FWidth, FHeight);
    for (int32_t py = 0; py < FHeight; ++py) {
        std::fill_n(highlight.ScanLine(py), FWidth, ColorToRGB(clBtnHighlight));
        std::fill_n(shadow.ScanLine(py), FWidth, ColorToRGB(clBtnShadow));
    }
    canvas.StretchBlt(Bounds(x + 1, y + 1, FWidth, FHeight), highlight, src, clNone, &ink);
    canvas.StretchBlt(Bounds(x, y, FWidth, FHeight), shadow, src, clNone, &ink);
}

void TImageList::GetBitmap(int index, TBitmap& out, TColor background) const {
    if (index < 0 || index >= Count())
        return;
    const TImage& img = FImages[size_t(index)];
    out.SetSize(FWidth, FHeight);
    for (int32_t y = 0; y < FHeight; ++y)
        for (int32_t x = 0; x < FWidth; ++x)
            out.ScanLine(y)[x] = img.Opaque[size_t(y) * size_t(FWidth) + size_t(x)]
                                     ? img.Pixels.ScanLine(y)[x]
                                     : ColorToRGB(background);
}
