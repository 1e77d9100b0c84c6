#include "framework/graphics/metafile/MetafileObjects.h"

#include <cmath>

#include "framework/base/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "platform/kernel32/CodePage.h"

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

bool IsSymbolFace(const std::string& face) {
    return LowerCase(face) == "symbol";
}

char32_t SymbolCharacter(uint8_t byte) {
    // 0x20 to 0x7F: ASCII but for these, which are Greek letters and
    // mathematical signs.
    static const std::pair<uint8_t, char32_t> kLow[] = {
        {0x22, 0x2200}, {0x24, 0x2203}, {0x27, 0x220B}, {0x2A, 0x2217}, {0x2D, 0x2212},
        {0x40, 0x2245}, {0x41, 0x0391}, {0x42, 0x0392}, {0x43, 0x03A7}, {0x44, 0x0394},
        {0x45, 0x0395}, {0x46, 0x03A6}, {0x47, 0x0393}, {0x48, 0x0397}, {0x49, 0x0399},
        {0x4A, 0x03D1}, {0x4B, 0x039A}, {0x4C, 0x039B}, {0x4D, 0x039C}, {0x4E, 0x039D},
        {0x4F, 0x039F}, {0x50, 0x03A0}, {0x51, 0x0398}, {0x52, 0x03A1}, {0x53, 0x03A3},
        {0x54, 0x03A4}, {0x55, 0x03A5}, {0x56, 0x03C2}, {0x57, 0x03A9}, {0x58, 0x039E},
        {0x59, 0x03A8}, {0x5A, 0x0396}, {0x5C, 0x2234}, {0x5E, 0x22A5}, {0x60, 0x203E},
        {0x61, 0x03B1}, {0x62, 0x03B2}, {0x63, 0x03C7}, {0x64, 0x03B4}, {0x65, 0x03B5},
        {0x66, 0x03C6}, {0x67, 0x03B3}, {0x68, 0x03B7}, {0x69, 0x03B9}, {0x6A, 0x03D5},
        {0x6B, 0x03BA}, {0x6C, 0x03BB}, {0x6D, 0x03BC}, {0x6E, 0x03BD}, {0x6F, 0x03BF},
        {0x70, 0x03C0}, {0x71, 0x03B8}, {0x72, 0x03C1}, {0x73, 0x03C3}, {0x74, 0x03C4},
        {0x75, 0x03C5}, {0x76, 0x03D6}, {0x77, 0x03C9}, {0x78, 0x03BE}, {0x79, 0x03C8},
        {0x7A, 0x03B6}, {0x7E, 0x223C}};
    // 0xA0 to 0xFE, in order.
    static const char32_t kHigh[] = {
        0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660,
        0x2194, 0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D,
        0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135,
        0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284,
        0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A,
        0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x27E8,
        0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7,
        0x23A8, 0x23A9, 0x23AA, 0x0020, 0x27E9, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
        0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD};
    if (byte >= 0xA0 && byte <= 0xFE)
        return kHigh[byte - 0xA0];
    if (byte < 0x20 || byte >= 0x7F)
        return U' ';
    for (const auto& [b, c] : kLow)
        if (b == byte)
            return c;
    return byte;
}

char32_t SymbolUnit(char32_t unit) {
    if (unit >= 0xF020 && unit <= 0xF0FF)
        return SymbolCharacter(uint8_t(unit - 0xF000));
    if (unit <= 0xFF)
        return SymbolCharacter(uint8_t(unit));
    return unit;
}

std::string SymbolBytesToUtf8(const std::string& bytes, std::vector<double>& dx) {
    std::string out;
    std::vector<double> perByte;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const size_t before = out.size();
        AppendUtf8(out, SymbolCharacter(uint8_t(bytes[i])));
        perByte.push_back(i < dx.size() ? dx[i] : 0);
        perByte.resize(perByte.size() + (out.size() - before - 1), 0.0);
    }
    if (!dx.empty())
        dx = std::move(perByte);
    return out;
}
