// Text along any direction: the glyph run that turned and slanted text
// (metafile fonts with an escapement or an orientation, text under a
// rotating transform) is drawn with. The glyphs come from the font face
// already transformed; this places them along the run and clips them.
#include "framework/graphics/Canvas.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontFace.h"
#include "platform/kernel32/CodePage.h"

namespace {

double Clamped(double v) {
    if (!(v == v))
        return 0; // NaN
    return std::clamp(v, -double(kMaxShapeCoordinate), double(kMaxShapeCoordinate));
}

// Whether a pixel's centre lies in a parallelogram: its coordinates along
// the two edges, found by Cramer's rule, both within [0, 1).
class TInside {
public:
    explicit TInside(const TParallelogram* p) : FP(p) {
        if (p)
            FDet = p->U.X * p->V.Y - p->U.Y * p->V.X;
    }
    bool operator()(int32_t x, int32_t y) const {
        if (!FP)
            return true;
        if (FDet == 0)
            return false;
        const double dx = x + 0.5 - FP->Origin.X, dy = y + 0.5 - FP->Origin.Y;
        const double s = (dx * FP->V.Y - dy * FP->V.X) / FDet;
        const double t = (FP->U.X * dy - FP->U.Y * dx) / FDet;
        return s >= 0 && s < 1 && t >= 0 && t < 1;
    }

private:
    const TParallelogram* FP;
    double FDet = 0;
};

// The device pixels a parallelogram's corners span.
TRect SpanOf(const TParallelogram& p) {
    const TPointF corners[4] = {p.Origin,
                                {p.Origin.X + p.U.X, p.Origin.Y + p.U.Y},
                                {p.Origin.X + p.V.X, p.Origin.Y + p.V.Y},
                                {p.Origin.X + p.U.X + p.V.X, p.Origin.Y + p.U.Y + p.V.Y}};
    double l = corners[0].X, r = l, t = corners[0].Y, b = t;
    for (const TPointF& c : corners) {
        l = std::min(l, c.X), r = std::max(r, c.X);
        t = std::min(t, c.Y), b = std::max(b, c.Y);
    }
    return Rect(int32_t(std::floor(Clamped(l))), int32_t(std::floor(Clamped(t))),
                int32_t(std::ceil(Clamped(r))), int32_t(std::ceil(Clamped(b))));
}

} // namespace

void TCanvas::MaskDevice(const uint8_t* mask, int32_t left, int32_t top, int32_t width,
                         int32_t height, TColor rgb, const TParallelogram* within) {
    TRect r;
    if (!FTarget || width <= 0 || height <= 0 ||
        !IntersectRect(r, Rect(left, top, left + width, top + height), DeviceClip()))
        return;
    const TInside inside(within);
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = FTarget->ScanLine(y);
        const uint8_t* bits = mask + size_t(y - top) * size_t(width);
        for (int32_t x = r.Left; x < r.Right; ++x)
            if (bits[x - left] && inside(x, y))
                row[x] = rgb;
    }
}

double TCanvas::GlyphRun(const TGlyphRun& run, const std::string& text) {
    if (!FTarget)
        return 0;
    TFontFace& face = GetFontFace(FFont);
    const TColor rgb = ColorToRGB(FFont.Color());
    const TGlyphMatrix& m = run.Glyph;
    TParallelogram clip;
    if (run.Clip) {
        clip = *run.Clip;
        clip.Origin.X += FState.Origin.X;
        clip.Origin.Y += FState.Origin.Y;
    }
    const TParallelogram* within = run.Clip ? &clip : nullptr;
    // Device coordinates stay within the shapes' limit, so that adding a
    // glyph's offsets cannot overflow.
    const double ox = std::floor(Clamped(run.Origin.X) + 0.5) + FState.Origin.X;
    const double oy = std::floor(Clamped(run.Origin.Y) + 0.5) + FState.Origin.Y;
    const double scale = std::hypot(m.XX, m.YX);
    double pen = 0;
    size_t index = 0;
    for (size_t k = 0; k < text.size(); ++index) {
        const TCharacter c = DecodeCharacter(text, k);
        k += c.Length;
        const TGlyph& g = face.TransformedGlyph(c.CodePoint, m);
        const int32_t px = int32_t(std::floor(Clamped(ox + run.Direction.X * pen) + 0.5));
        const int32_t py = int32_t(std::floor(Clamped(oy + run.Direction.Y * pen) + 0.5));
        MaskDevice(g.Bits.data(), px + g.Left, py + g.Top, g.Width, g.Height, rgb, within);
        if (run.Advances)
            pen += index < run.Advances->size() ? (*run.Advances)[index] : 0;
        else
            pen += g.Advance * scale;
    }
    // Underline and strike-out: bands across the run, as thick as upright
    // text has them, at their height above the baseline.
    auto band = [&](int32_t cellTop) {
        const double y = cellTop - face.Ascent(), t = face.LineThickness();
        TParallelogram p{{ox + m.XY * y, oy + m.YY * y},
                         {run.Direction.X * pen, run.Direction.Y * pen},
                         {m.XY * t, m.YY * t}};
        TRect r;
        if (!IntersectRect(r, SpanOf(p), DeviceClip()))
            return;
        const TInside inBand(&p), inClip(within);
        for (int32_t yy = r.Top; yy < r.Bottom; ++yy) {
            uint32_t* row = FTarget->ScanLine(yy);
            for (int32_t xx = r.Left; xx < r.Right; ++xx)
                if (inBand(xx, yy) && inClip(xx, yy))
                    row[xx] = rgb;
        }
    };
    if (FFont.Style() & fsUnderline)
        band(face.UnderlineTop());
    if (FFont.Style() & fsStrikeOut)
        band(face.StrikeOutTop());
    return pen;
}
