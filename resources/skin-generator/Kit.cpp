#include "Kit.h"

#include <algorithm>
#include <cmath>

namespace skingen {

void PaintFace(TCanvas& canvas, const TShape& outline, const TFace& face, float x0, float y0,
               float x1, float y1) {
    canvas.Paint(outline, VerticalRamp(face.Fill, y0, y1));
    if (face.GlowWidth > 0)
        canvas.Paint(InnerBand(Inset(outline, 1), face.GlowWidth), VerticalRamp(face.Glow, y0, y1),
                     face.GlowOpacity);
    if (face.Gloss > 0)
        PaintGloss(canvas, Inset(outline, 1), x0 + 1, y0 + 1, x1 - 1, y0 + (y1 - y0) * 0.5f,
                   face.Gloss);
    if (face.TopHighlight > 0) {
        const float top = y0 + 1, span = std::max(y1 - y0 - 2, 1.0f);
        canvas.PaintFaded(InnerBand(Inset(outline, 1), 1), Solid({1, 1, 1}), [=](float, float y) {
            return face.TopHighlight * std::max(0.0f, 1.0f - 1.6f * (y - top) / span);
        });
    }
    if (face.BorderOpacity > 0)
        canvas.Paint(InnerBand(outline, 1), Solid(face.Border), face.BorderOpacity);
}

TPicture ButtonStrip(const TKit& kit, int fw, int h) {
    std::vector<TPicture> frames;
    for (int state = 0; state < 3; ++state) {
        TCanvas c(fw, h);
        if (!kit.ButtonKeyed)
            c.Fill(Solid(kit.Matte));
        PaintFace(c, RoundRect(0, 0, fw, h, kit.ButtonRadius), kit.Button[state], 0, 0, fw, h);
        frames.push_back(Finish(c, kit.Matte, kit.ButtonKeyed));
    }
    return Strip(frames);
}

namespace {

// One check box or radio mark, centred in a w x h frame.
TCanvas Mark(const TKit& kit, int w, int h, bool radio, bool checked, bool enabled,
             float scale = 1.0f) {
    TCanvas c(w, h);
    if (!radio)
        c.Fill(Solid(kit.Matte));
    const float size = (radio ? kit.RadioSize : kit.BoxSize) * scale;
    const float x0 = std::floor((w - size) / 2), y0 = std::floor((h - size) / 2);
    const float x1 = x0 + size, y1 = y0 + size;
    const TShape shape = radio ? Circle((x0 + x1) / 2, (y0 + y1) / 2, size / 2)
                               : RoundRect(x0, y0, x1, y1, kit.BoxRadius * scale);
    const TFace& face = enabled ? (checked ? kit.BoxChecked : kit.Box)
                                : (checked ? kit.BoxCheckedDisabled : kit.BoxDisabled);
    PaintFace(c, shape, face, x0, y0, x1, y1);
    if (checked) {
        const TRgb colour = enabled ? kit.Mark : kit.MarkDisabled;
        const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        if (radio) {
            const float r = size * 0.2f + 0.3f;
            c.Paint(Circle(cx, cy, r), Solid(colour));
            if (kit.DotGloss > 0)
                c.Paint(Ellipse(cx, cy - r * 0.45f, r * 0.6f, r * 0.4f), Solid({1, 1, 1}),
                        kit.DotGloss);
        } else {
            c.Paint(GlyphCheck(cx, cy, size * 0.27f, kit.CheckStroke * scale), Solid(colour));
        }
    }
    return c;
}

} // namespace

TPicture MarkStrip(const TKit& kit, int fw, int h, bool radio) {
    std::vector<TPicture> frames;
    for (const TMarkState m : AllMarkStates)
        frames.push_back(Finish(Mark(kit, fw, h, radio, m.Checked, m.Enabled), kit.Matte, radio));
    return Strip(frames);
}

TPicture ArrowButtonStrip(const TKit& kit, int fw, int h) {
    std::vector<TPicture> frames;
    for (TDirection dir : {TDirection::Up, TDirection::Down})
        for (int state = 0; state < 3; ++state) {
            TCanvas c(fw, h);
            c.Fill(Solid(kit.ScrollBack));
            const float i = kit.ArrowInset;
            PaintFace(c, RoundRect(i, i, fw - i, h - i, kit.ArrowRadius), kit.Arrow[state], i, i,
                      fw - i, h - i);
            const float shift = state == 2 ? 0.5f : 0.0f;
            const float cx = fw / 2.0f + shift, cy = h / 2.0f + shift;
            const float s = std::min(fw, h) * 0.22f;
            const TShape glyph =
                kit.Chevrons ? GlyphChevron(cx, cy, s, 0.95f, dir)
                             : GlyphArrow(cx, cy + (dir == TDirection::Up ? 0.5f : -0.5f), s, dir);
            c.Paint(glyph, Solid(kit.ArrowGlyph[state]));
            frames.push_back(Finish(c, kit.ScrollBack, false));
        }
    return Strip(frames);
}

TPicture ThumbStrip(const TKit& kit, int fw, int h) {
    // One whole thumb three frames long, cut into start cap, middle and end
    // cap; the middle frame's columns are all alike, so stretching it is safe.
    const int w = fw * 3;
    TCanvas c(w, h);
    c.Fill(Solid(kit.ScrollBack));
    const float i = kit.ThumbInset;
    PaintFace(c, RoundRect(0.5f, i, w - 0.5f, h - i, kit.ThumbRadius), kit.Thumb, 0, i, w, h - i);
    for (int g = 0; g < kit.ThumbGrip; ++g) {
        // Grip lines near each end, where they survive the stretching.
        const float x = fw - 2.0f - g * 2.0f;
        for (float gx : {x, w - x})
            c.Paint(Segment(gx, h * 0.32f, gx, h * 0.68f, 0.45f), Solid(kit.Thumb.Border), 0.55f);
    }
    TPicture whole = Finish(c, kit.ScrollBack, false);
    std::vector<TPicture> frames(3);
    for (int f = 0; f < 3; ++f) {
        frames[f] = {fw, h, std::vector<uint32_t>(size_t(fw) * h)};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < fw; ++x) {
                // The middle frame repeats the thumb's centre column.
                const int sx = f == 1 ? w / 2 : f * fw + x;
                frames[f].Pixels[size_t(y) * fw + x] = whole.Pixels[size_t(y) * w + sx];
            }
    }
    return Strip(frames);
}

TPicture GrooveBar(const TKit& kit, int w, int h) {
    TCanvas c(w, h);
    c.Fill(Solid(kit.Matte));
    const float t = std::min<float>(kit.GrooveThickness, h);
    const float y0 = std::floor((h - t) / 2);
    PaintFace(c, RoundRect(0, y0, w, y0 + t, t / 2), kit.Groove, 0, y0, w, y0 + t);
    return Finish(c, kit.Matte, false);
}

TPicture SliderPicture(const TKit& kit, int w, int h, bool vertical) {
    // A thumb with a point: down for the horizontal track bar, right for the
    // vertical one. Drawn pointing down, then turned when vertical.
    const int pw = vertical ? h : w, ph = vertical ? w : h;
    const float tip = pw * 0.5f;
    const float body = ph - tip;
    const TShape shape = Inset(Polygon({{1.5f, 1.5f},
                                        {pw - 1.5f, 1.5f},
                                        {pw - 1.5f, body},
                                        {pw / 2.0f, ph - 1.2f},
                                        {1.5f, body}}),
                               -1.0f);
    TCanvas c(pw, ph);
    PaintFace(c, shape, kit.Slider, 0, 0, pw, ph);
    TPicture down = Finish(c, kit.Matte, true);
    if (!vertical)
        return down;
    TPicture right{w, h, std::vector<uint32_t>(size_t(w) * h)};
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x)
            right.Pixels[size_t(x) * w + y] = down.Pixels[size_t(y) * pw + x]; // transpose
    return right;
}

TPicture ProgressPicture(const TKit& kit, int w, int h) {
    TCanvas c(w, h);
    c.Fill(VerticalRamp(kit.Progress, 0, h));
    if (kit.ProgressGloss > 0)
        c.PaintFaded(RoundRect(-1, 0, w + 1, h * 0.5f, 0), Solid({1, 1, 1}),
                     [&](float, float y) { return kit.ProgressGloss * (1.0f - y / h); });
    return Finish(c, kit.Matte, false);
}

TPicture CheckListStrip(const TKit& kit, int w, int h) {
    const int fw = w / 4;
    std::vector<TPicture> frames;
    const TMarkState states[] = {{false, true}, {true, true}, {false, false}, {true, false}};
    for (const TMarkState m : states) {
        const float scale = std::min<float>(fw, h) / kit.BoxSize;
        frames.push_back(
            Finish(Mark(kit, fw, h, false, m.Checked, m.Enabled, scale), kit.Matte, false));
    }
    return Strip(frames);
}

TPicture ScrollButtonStrip(const TKit& kit, int w, int h) {
    const int fw = w / 4;
    std::vector<TPicture> frames;
    for (TDirection dir : {TDirection::Up, TDirection::Down, TDirection::Left, TDirection::Right}) {
        TCanvas c(fw, h);
        const float d = std::min<float>(fw, h) - 2;
        const float x0 = (fw - d) / 2, y0 = (h - d) / 2;
        PaintFace(c, Circle(fw / 2.0f, h / 2.0f, d / 2), kit.Arrow[0], x0, y0, x0 + d, y0 + d);
        c.Paint(GlyphArrow(fw / 2.0f, h / 2.0f, d * 0.22f, dir), Solid(kit.ArrowGlyph[0]));
        frames.push_back(Finish(c, kit.Matte, true));
    }
    return Strip(frames);
}

TPicture TabStrip(const TKit& kit, int w, int h) {
    const int fw = w / 2;
    std::vector<TPicture> frames;
    for (int active = 1; active >= 0; --active) {
        TCanvas c(fw, h);
        const float top = active ? 0 : 2;
        const float r = std::min(4.0f, fw / 3.0f);
        const TShape shape = RoundRect(0, top, fw, h + r + 2, r);
        PaintFace(c, shape, active ? kit.TabActive : kit.TabInactive, 0, top, fw, h);
        if (active && kit.HasTabAccent)
            c.Paint(Intersect(shape, RoundRect(0, 0, fw, 2.5f, 0)), Solid(kit.TabAccent));
        frames.push_back(Finish(c, kit.Matte, true));
    }
    return Strip(frames);
}

TPicture TabLinePicture(const TKit& kit, int w, int h) {
    TCanvas c(w, h);
    c.Fill(VerticalRamp(kit.TabLine, 0, h));
    return Finish(c, kit.Matte, false);
}

TPicture SideHandle(const TKit& kit, int w, int h) {
    TCanvas c(w, h);
    c.Fill(Solid(kit.Matte));
    const TShape shape = RoundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, w / 2.5f);
    // The handle is a vertical bar: shade it across its width.
    c.Paint(shape, HorizontalRamp(kit.Handle.Fill, 0, w));
    if (kit.Handle.Gloss > 0)
        c.Paint(Intersect(shape, RoundRect(1, 1, w * 0.45f, h - 1, 1)), Solid({1, 1, 1}),
                kit.Handle.Gloss * 0.5f);
    c.Paint(InnerBand(shape, 1), Solid(kit.Handle.Border), kit.Handle.BorderOpacity);
    const float cx = w / 2.0f, cy = h / 2.0f;
    c.Paint(GlyphArrow(cx, cy, w * 0.28f, TDirection::Right), Solid(kit.HandleGlyph));
    for (int k = 1; k <= 3; ++k)
        for (float dy : {-1.0f, 1.0f})
            c.Paint(Circle(cx, cy + dy * (w * 0.6f + k * 3.0f), 0.75f), Solid(kit.HandleGlyph),
                    0.8f);
    return Finish(c, kit.Matte, false);
}

TPicture SideBarPicture(const TKit& kit, int w, int h) {
    TCanvas c(w, h);
    c.Fill(VerticalRamp(kit.SideBar, 0, h));
    return Finish(c, kit.Matte, false);
}

TPicture TitleButtonStrip(const TTitleLook& look, int size) {
    std::vector<TPicture> frames;
    for (TTitleButton button : AllTitleButtons)
        for (TState state : AllStates) {
            TCanvas c(size, size);
            if (!look.ButtonsKeyed) {
                // Opaque buttons carry the bar behind them.
                const TShader& back = look.Background;
                const float row = float(look.ButtonRow);
                c.Fill([&](float x, float y) { return back(x, y + row); });
            }
            look.PaintButton(c, button, state);
            frames.push_back(Finish(c, look.Matte, look.ButtonsKeyed));
        }
    return Strip(frames);
}

void AddKitResources(TRegistry& r, const std::string& p, const TKit& kit, const TKitSizes& s) {
    r.Add(p + "_BUTTON", s.ButtonW, s.ButtonH,
          [=] { return ButtonStrip(kit, s.ButtonW / 3, s.ButtonH); });
    r.Add(p + "_CHECKBOX", s.CheckW, s.CheckH,
          [=] { return MarkStrip(kit, s.CheckW / 4, s.CheckH, false); });
    r.Add(p + "_RADIOBUTTON", s.RadioW, s.RadioH,
          [=] { return MarkStrip(kit, s.RadioW / 4, s.RadioH, true); });
    r.Add(p + "_PROGRESSBAR", s.ProgressW, s.ProgressH,
          [=] { return ProgressPicture(kit, s.ProgressW, s.ProgressH); });
    r.Add(p + "_TRACKBAR_BAR", s.BarW, s.BarH, [=] { return GrooveBar(kit, s.BarW, s.BarH); });
    r.Add(p + "_TRACKBAR_SLIDER", s.SliderW, s.SliderH,
          [=] { return SliderPicture(kit, s.SliderW, s.SliderH, false); });
    r.Add(p + "_TRACKBAR_SLIDER_V", s.SliderVW, s.SliderVH,
          [=] { return SliderPicture(kit, s.SliderVW, s.SliderVH, true); });
    r.Add(p + "_SCROLLBAR_BUTTON", s.ArrowW, s.ArrowH,
          [=] { return ArrowButtonStrip(kit, s.ArrowW / 6, s.ArrowH); });
    r.Add(p + "_SCROLLBAR_TRACK", s.ThumbW, s.ThumbH,
          [=] { return ThumbStrip(kit, s.ThumbW / 3, s.ThumbH); });
    r.Add(p + "_CHECKLIST", s.CheckListW, s.CheckListH,
          [=] { return CheckListStrip(kit, s.CheckListW, s.CheckListH); });
    r.Add(p + "_TAB", s.TabW, s.TabH, [=] { return TabStrip(kit, s.TabW, s.TabH); });
    r.Add(p + "_TAB_LINE", s.TabLineW, s.TabLineH,
          [=] { return TabLinePicture(kit, s.TabLineW, s.TabLineH); });
    r.Add(p + "_SIDECHENNEL_HANDLE", s.HandleW, s.HandleH,
          [=] { return SideHandle(kit, s.HandleW, s.HandleH); });
    r.Add(p + "_SIDECHENNEL_BAR", s.SideBarW, s.SideBarH,
          [=] { return SideBarPicture(kit, s.SideBarW, s.SideBarH); });
}

} // namespace skingen
