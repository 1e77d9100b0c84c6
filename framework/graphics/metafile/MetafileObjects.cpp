#include "framework/graphics/metafile/MetafileObjects.h"

#include <cmath>

#include "framework/graphics/Bitmap.h"

namespace {

// A pattern brush larger than this paints with its first pixel's colour.
constexpr int64_t kMaxPatternPixels = 256 * 256;

} // namespace

TColor ColorFromRef(uint32_t value) {
    return (value >> 24) == 1 ? clBlack : value & 0xFFFFFF;
}

const std::vector<TColor>& DefaultPalette() {
    static const std::vector<TColor> colours = {
        RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
        RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
        RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
    return colours;
}

TMfPen PenFromStyle(uint32_t style, TColor color, double width, bool cosmetic) {
    TMfPen pen;
    static const TPenStyle kStyles[9] = {
        TPenStyle::psSolid,       TPenStyle::psDash,       TPenStyle::psDot,
        TPenStyle::psDashDot,     TPenStyle::psDashDotDot, TPenStyle::psClear,
        TPenStyle::psInsideFrame, TPenStyle::psSolid,      TPenStyle::psDot};
    const uint32_t line = style & 0x0F;
    pen.Style = line < 9 ? kStyles[line] : TPenStyle::psSolid;
    switch (style & 0x0F00) {
    case 0x0100:
        pen.EndCap = TPenEndCap::pecSquare;
        break;
    case 0x0200:
        pen.EndCap = TPenEndCap::pecFlat;
        break;
    default:
        break;
    }
    switch (style & 0xF000) {
    case 0x1000:
        pen.Join = TPenJoin::pjBevel;
        break;
    case 0x2000:
        pen.Join = TPenJoin::pjMiter;
        break;
    default:
        break;
    }
    pen.Color = color;
    pen.Width = std::isfinite(width) ? std::abs(width) : 0;
    pen.Cosmetic = cosmetic || pen.Width == 0;
    return pen;
}

TMfBrush BrushFromStyle(uint32_t style, TColor color, uint32_t hatch) {
    TMfBrush brush;
    brush.Color = color;
    if (style == 1)
        brush.Style = TBrushStyle::bsClear;
    else if (style == 2 && hatch <= 5)
        brush.Style = TBrushStyle(int(TBrushStyle::bsHorizontal) + int(hatch));
    return brush;
}

TMfBrush PatternBrush(std::shared_ptr<const TBitmap> pattern) {
    TMfBrush brush;
    if (!pattern)
        return brush;
    if (int64_t(pattern->Width()) * pattern->Height() > kMaxPatternPixels) {
        brush.Color = pattern->Pixel(0, 0);
        return brush;
    }
    brush.Pattern = std::move(pattern);
    return brush;
}
