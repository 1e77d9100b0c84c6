// The text records' drawing on the metafile device context: the font
// realised at the size the mapping gives it, upright text through the
// canvas's ExtTextOut, and text turned by an escapement, an orientation or
// a transform through the canvas's glyph run, with alignment, background
// and clipping taken in the text's own frame.
#include "framework/graphics/metafile/MetafileDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/base/SysUtils.h"
#include "framework/graphics/FontFace.h"
#include "platform/kernel32/CodePage.h"

bool TMetafileDC::RealizeFont(double pixels) {
    const TMfFont& f = FState.Font;
    const int32_t height =
        int32_t(std::clamp(std::round(pixels), double(-kMaxFontPixels), double(kMaxFontPixels)));
    if (std::abs(height) < 2)
        return false;
    TFontStyles style = 0;
    if (f.Weight >= 600)
        style |= fsBold;
    if (f.Italic)
        style |= fsItalic;
    if (f.Underline)
        style |= fsUnderline;
    if (f.StrikeOut)
        style |= fsStrikeOut;
    const std::string face = f.Face.empty() ? std::string("Arial") : f.Face;
    auto key = std::make_tuple(LowerCase(face), height, TFontStyles(style & (fsBold | fsItalic)));
    if (!FFontsUsed.count(key)) {
        if (FFontsUsed.size() >= kMaxFonts)
            return false;
        FFontsUsed.insert(key);
    }
    TFont& font = FCanvas.Font();
    font.SetName(face);
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetColor(FState.TextColor);
    return true;
}

TMetafileDC::TTextFrame TMetafileDC::TextFrame(bool advanced) {
    const TMfFont& f = FState.Font;
    const TXform& m = Transform();
    // The image of a logical vector (without the translation).
    auto map = [&](double x, double y) {
        return TPointF{x * m.M11 + y * m.M21, x * m.M12 + y * m.M22};
    };
    auto length = [](TPointF v) { return std::hypot(v.X, v.Y); };
    constexpr double kTenthDegree = std::numbers::pi / 1800;
    TTextFrame frame;
    // A font of height 0 is the platform's default, about 12 pixels on the
    // reference device.
    const double defaultPixels = -12 * std::hypot(FDevice.M21, FDevice.M22 == 0 ? 1 : FDevice.M22);
    if (!advanced) {
        frame.FontPixels = f.Height == 0 ? defaultPixels : f.Height * std::hypot(m.M21, m.M22);
        if (f.Escapement % 3600 == 0)
            return frame;
        // The escapement is an angle in logical units taken as the device's
        // (y down): a mapping that turns the y axis up turns it the other
        // way round. Exact quarter turns stay exact.
        const double a = (f.Escapement % 3600) * kTenthDegree;
        const int quarter = (f.Escapement % 900 == 0) ? ((f.Escapement / 900) % 4 + 4) % 4 : -1;
        const double c = quarter < 0 ? std::cos(a) : quarter == 0 ? 1 : quarter == 2 ? -1 : 0;
        const double s = quarter < 0 ? std::sin(a) : quarter == 1 ? 1 : quarter == 3 ? -1 : 0;
        const TPointF advance = map(c, -s);
        frame.PixelsPerUnit = length(advance);
        if (!(frame.PixelsPerUnit > 0))
            return frame;
        const TPointF dir{advance.X / frame.PixelsPerUnit, advance.Y / frame.PixelsPerUnit};
        // The glyphs stand on that baseline, never mirrored.
        frame.Turned = true;
        frame.Direction = dir;
        frame.Glyph = {dir.X, -dir.Y, dir.Y, dir.X};
        return frame;
    }
    // Angles as in the compatible mode; the glyphs' up is the page's, so
    // that a page whose y axis runs up shows them upright, and only the
    // world transform mirrors, turns or slants them further.
    const double up = PageTransform().M22 < 0 ? -1 : 1;
    const double o = f.Orientation * kTenthDegree, e = f.Escapement * kTenthDegree;
    const TPointF along = map(std::cos(o), -std::sin(o));
    const TPointF down = map(up * std::sin(o), up * std::cos(o));
    const double scale = length(down);
    const TPointF advance = map(std::cos(e), -std::sin(e));
    if (!(scale > 0) || !(length(advance) > 0))
        return frame;
    frame.FontPixels = f.Height == 0 ? defaultPixels : f.Height * scale;
    frame.Glyph = {along.X / scale, down.X / scale, along.Y / scale, down.Y / scale};
    frame.PixelsPerUnit = length(advance);
    frame.Direction = {advance.X / frame.PixelsPerUnit, advance.Y / frame.PixelsPerUnit};
    auto near = [](double a, double b) { return std::abs(a - b) < 1e-9; };
    frame.Turned =
        !(near(frame.Glyph.XX, 1) && near(frame.Glyph.XY, 0) && near(frame.Glyph.YX, 0) &&
          near(frame.Glyph.YY, 1) && near(frame.Direction.X, 1) && near(frame.Direction.Y, 0));
    return frame;
}

void TMetafileDC::Text(double x, double y, const std::string& text, uint32_t options,
                       const double* rect, const std::vector<double>* dx, bool advanced) {
    if (InPath())
        return;
    if (text.size() > kMaxTextChars)
        return Text(x, y, text.substr(0, CharacterStart(text, kMaxTextChars)), options, rect, dx,
                    advanced);
    const bool useCp = FState.TextAlign & mf::TA_UPDATECP;
    const TPointF ref = useCp ? FState.Position : TPointF{x, y};
    const TTextFrame frame = TextFrame(advanced);
    if (frame.Turned) {
        TurnedText(ref, text, options, rect, dx, frame);
        return;
    }
    TRect clipRect;
    if (rect)
        clipRect = OutRect(rect[0], rect[1], rect[2], rect[3]);
    if ((options & ETO_OPAQUE) && rect && Charge(clipRect, 1)) {
        FCanvas.Brush().SetBitmap(nullptr);
        FCanvas.Brush().SetColor(FState.BkColor);
        FCanvas.FillRect(clipRect);
    }
    if (text.empty() || !RealizeFont(frame.FontPixels))
        return;
    const TPoint o = OutRounded(ref.X, ref.Y);
    const int32_t h = std::abs(FCanvas.Font().Height());
    // Every character's glyph is visited, seen or not.
    FWork -= int64_t(text.size()) * (int64_t(h) * h + 1);
    if (FWork < 0)
        return;
    std::vector<int32_t> advances;
    if (dx) {
        double cum = 0;
        int32_t prev = CanvasInt(Out(ref.X, ref.Y).X);
        // dx has an entry per byte; a character advances by those of its bytes.
        for (size_t pos = 0; pos < text.size() && pos < dx->size();) {
            const size_t end = NextCharacter(text, pos);
            for (; pos < end && pos < dx->size(); ++pos)
                cum += (*dx)[pos];
            const int32_t next = CanvasInt(Out(ref.X + cum, ref.Y).X);
            advances.push_back(next - prev);
            prev = next;
        }
    }
    FCanvas.Brush().SetBitmap(nullptr);
    if (FState.BkMode == mf::OPAQUE)
        FCanvas.Brush().SetColor(FState.BkColor);
    else
        FCanvas.Brush().SetStyle(TBrushStyle::bsClear);
    FCanvas.SetTextAlign(FState.TextAlign & (TA_CENTER | TA_BASELINE));
    int32_t advance = 0;
    try {
        advance = FCanvas.ExtTextOut(o.X, o.Y, options & ETO_CLIPPED, rect ? &clipRect : nullptr,
                                     text, dx ? &advances : nullptr);
    } catch (const Exception&) {
        return; // a font that cannot be opened draws nothing
    }
    if (useCp && Transform().M11 != 0) {
        // The current position moves past the text written from it.
        const uint32_t horizontal = FState.TextAlign & TA_CENTER;
        if (horizontal == TA_LEFT)
            FState.Position.X += advance / Transform().M11;
        else if (horizontal == TA_RIGHT)
            FState.Position.X -= advance / Transform().M11;
    }
}

// Text in a frame of its own: the pen runs along frame.Direction, the
// glyphs stand as frame.Glyph turns them, and the alignment, the
// background box and the clipping rectangle are taken in that frame.
void TMetafileDC::TurnedText(TPointF ref, const std::string& text, uint32_t options,
                             const double* rect, const std::vector<double>* dx,
                             const TTextFrame& frame) {
    // The clipping and opaque rectangle, in logical units, on the canvas.
    std::vector<TPointF> box;
    if (rect)
        box = {Out(rect[0], rect[1]), Out(rect[2], rect[1]), Out(rect[2], rect[3]),
               Out(rect[0], rect[3])};
    auto fill = [&](const std::vector<TPointF>& polygon) {
        if (polygon.size() < 3 || !ChargePoints(polygon, true, false))
            return;
        // Text's backgrounds are painted, whatever the pen's mix.
        FCanvas.Pen().SetStyle(TPenStyle::psClear);
        FCanvas.Pen().SetMode(TPenMode::pmCopy);
        FCanvas.Brush().SetBitmap(nullptr);
        FCanvas.Brush().SetColor(FState.BkColor);
        FCanvas.FillContours({polygon}, TFillMode::fmAlternate);
    };
    if ((options & ETO_OPAQUE) && rect)
        fill(box);
    if (text.empty() || !RealizeFont(frame.FontPixels))
        return;
    const int32_t h = std::abs(FCanvas.Font().Height());
    FWork -= int64_t(text.size()) * (int64_t(h) * h + 1);
    if (FWork < 0)
        return;
    TFontFace* face = nullptr;
    try {
        face = &GetFontFace(FCanvas.Font());
    } catch (const Exception&) {
        return; // a font that cannot be opened draws nothing
    }
    // Each character's advance along the baseline, in canvas pixels.
    const TGlyphMatrix& g = frame.Glyph;
    const double natural = std::hypot(g.XX, g.YX);
    std::vector<double> advances;
    double width = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = NextCharacter(text, pos);
        double a = 0;
        if (dx) {
            for (size_t b = pos; b < end && b < dx->size(); ++b)
                a += (*dx)[b] * frame.PixelsPerUnit;
        } else {
            a = face->Glyph(DecodeCharacter(text, pos).CodePoint).Advance * natural;
        }
        advances.push_back(a);
        width += a;
        pos = end;
    }
    // The pen's start: the reference point moved along the baseline by the
    // horizontal alignment and across it by the vertical one.
    const TPointF dir = frame.Direction, down{g.XY, g.YY};
    TPointF origin = Out(ref.X, ref.Y);
    const uint32_t horizontal = FState.TextAlign & TA_CENTER;
    const double shift = horizontal == TA_RIGHT ? width : horizontal == TA_CENTER ? width / 2 : 0;
    origin = {origin.X - dir.X * shift, origin.Y - dir.Y * shift};
    const double ascent = face->Ascent(), descent = face->Descent();
    switch (FState.TextAlign & TA_BASELINE) {
    case TA_TOP:
        origin = {origin.X + down.X * ascent, origin.Y + down.Y * ascent};
        break;
    case TA_BOTTOM:
        origin = {origin.X - down.X * descent, origin.Y - down.Y * descent};
        break;
    default:
        break;
    }
    TParallelogram clip;
    const bool clipped = (options & ETO_CLIPPED) && rect;
    if (clipped)
        clip = {box[0],
                {box[1].X - box[0].X, box[1].Y - box[0].Y},
                {box[3].X - box[0].X, box[3].Y - box[0].Y}};
    if (FState.BkMode == mf::OPAQUE) {
        const TPointF top{origin.X - down.X * ascent, origin.Y - down.Y * ascent};
        const TPointF across{down.X * (ascent + descent), down.Y * (ascent + descent)};
        std::vector<TPointF> cell = {
            top,
            {top.X + dir.X * width, top.Y + dir.Y * width},
            {top.X + dir.X * width + across.X, top.Y + dir.Y * width + across.Y},
            {top.X + across.X, top.Y + across.Y}};
        fill(clipped ? ClipConvex(cell, box) : cell);
    }
    FCanvas.Font().SetColor(FState.TextColor);
    TGlyphRun run;
    run.Origin = origin;
    run.Glyph = g;
    run.Direction = dir;
    run.Advances = &advances;
    run.Clip = clipped ? &clip : nullptr;
    try {
        FCanvas.GlyphRun(run, text);
    } catch (const Exception&) {
        return;
    }
    if (FState.TextAlign & mf::TA_UPDATECP) {
        // The current position moves past the text written from it, in
        // logical units.
        const double along = horizontal == TA_LEFT ? width : horizontal == TA_RIGHT ? -width : 0;
        const TXform& m = Transform();
        const double det = m.Det(), vx = dir.X * along, vy = dir.Y * along;
        if (det != 0 && along != 0)
            FState.Position = {ref.X + (vx * m.M22 - vy * m.M21) / det,
                               ref.Y + (vy * m.M11 - vx * m.M12) / det};
    }
}
