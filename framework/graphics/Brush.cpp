#include "framework/graphics/Brush.h"

#include "framework/graphics/Bitmap.h"

namespace {

// The platform's hatch patterns, one byte per row, leftmost pixel in the
// high bit, in the order of TBrushStyle from bsHorizontal on.
constexpr uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

} // namespace

void TBrush::SetColor(TColor value) {
    if (value == FColor && FStyle == TBrushStyle::bsSolid)
        return;
    FColor = value;
    FStyle = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TBrush::SetBitmap(std::shared_ptr<const TBitmap> value) {
    if (value == FBitmap)
        return;
    FBitmap = std::move(value);
    Changed();
}

void TBrush::SetOrigin(TPoint value) {
    if (value == FOrigin)
        return;
    FOrigin = value;
    Changed();
}

bool TBrush::PixelAt(int32_t x, int32_t y, TColor& rgb) const {
    if (FStyle == TBrushStyle::bsClear)
        return false;
    // In 64 bits: an origin far off must not overflow the difference.
    const int64_t px = int64_t(x) - FOrigin.X, py = int64_t(y) - FOrigin.Y;
    if (FBitmap && !FBitmap->Empty()) {
        const int32_t w = FBitmap->Width(), h = FBitmap->Height();
        rgb = FBitmap->Pixel(int32_t(((px % w) + w) % w), int32_t(((py % h) + h) % h));
        return true;
    }
    switch (FStyle) {
    case TBrushStyle::bsSolid:
    case TBrushStyle::bsClear:
        rgb = ColorToRGB(FColor);
        return true;
    default: {
        const uint8_t row = kHatches[int(FStyle) - int(TBrushStyle::bsHorizontal)][py & 7];
        if (!((row >> (7 - (px & 7))) & 1))
            return false;
        rgb = ColorToRGB(FColor);
        return true;
    }
    }
}

void TBrush::Assign(const TBrush& other) {
    FColor = other.FColor;
    FStyle = other.FStyle;
    FBitmap = other.FBitmap;
    FOrigin = other.FOrigin;
    Changed();
}

void TBrush::Changed() {
    if (OnChange)
        OnChange(*this);
}
