// Protein: the light, clean look. A near-white form, a flat slate title bar
// whose left end fades in from the indigo accent, outline caption buttons
// that fill in when hot, flat push buttons with a thin indigo rim
// when hot, filled indigo marks and slim grey thumbs.

#include "Kit.h"

#include <cmath>

namespace skingen {

namespace {

const TRgb Form = Hex(0xFBFBFB);
const TRgb Accent = Hex(0x4F63D8);

// A quiet slate title bar; the indigo accent is kept for what can be used.
const TShader TitleBack = Rows({{0, Hex(0x000000)},
                                {1, Hex(0x9AA2B2)},
                                {2, Hex(0x6D7687)},
                                {21, Hex(0x535B6A)},
                                {22, Hex(0x3B414D)}});

TPicture TitleLeft(int w, int h) {
    TCanvas c(w, h);
    c.Fill(TitleBack);
    // The bar starts light and settles into its own colour by the right end,
    // so it meets the one-pixel middle and right pieces seamlessly.
    c.PaintFaded(RoundRect(-1, 2, float(w), float(h - 1), 0), Solid(Hex(0x6F80E8)),
                 [w](float x, float) { return 0.55f * std::pow(1.0f - x / w, 2.0f); });
    // Faint rings, a quiet emblem behind the caption's start.
    for (float r : {26.0f, 40.0f, 54.0f})
        c.Paint(Intersect(Arc(-6, 30, r, -1.6f, 0.2f, 0.6f),
                          RoundRect(0, 2, float(w), float(h - 1), 0)),
                Solid({1, 1, 1}), 0.16f);
    return Finish(c, Form, false);
}

TPicture TitlePlain(int w, int h) {
    TCanvas c(w, h);
    c.Fill(TitleBack);
    return Finish(c, Form, false);
}

void TitleButton(TCanvas& c, TTitleButton button, TState state) {
    const float n = c.Width();
    const float cx = n / 2, cy = n / 2;
    const TShape shape = RoundRect(1.5f, 1.5f, n - 1.5f, n - 1.5f, 3);
    const bool close = button == TTitleButton::Close;
    if (state == TState::Hover)
        c.Paint(shape, Solid(close ? Hex(0xE5484D) : Hex(0x6F80E8)));
    else if (state == TState::Pressed)
        c.Paint(shape, Solid(close ? Hex(0xB8262C) : Hex(0x3A4CC0)));
    else
        c.Paint(InnerBand(shape, 1), Solid(Hex(0xA3AABA)));
    const float d = state == TState::Pressed ? 0.5f : 0.0f;
    const float size = button == TTitleButton::ControlBox ? 4.5f : 3.6f;
    c.Paint(TitleGlyph(button, cx + d, cy + d, size, 0.8f), Solid({1, 1, 1}));
}

TKit MakeKit() {
    TKit k;
    k.Matte = Form;
    k.ScrollBack = Hex(0xF5F5F5);
    k.Button[0] = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xF0F1F5)}}, Hex(0xAEB4C6)};
    k.Button[1] = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xEBEEFC)}}, Accent};
    k.Button[1].Glow = {{0, Hex(0xD4DAFA)}, {1, Hex(0xD4DAFA)}};
    k.Button[1].GlowWidth = 1;
    k.Button[2] = {{{0, Hex(0xD6DCF6)}, {1, Hex(0xE6E9F9)}}, Hex(0x3A4CC0)};
    k.ButtonRadius = 3;

    k.Box = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xFFFFFF)}}, Hex(0x9AA0B4)};
    k.BoxChecked = {{{0, Accent}, {1, Accent}}, Hex(0x3E50C4)};
    k.BoxDisabled = {{{0, Hex(0xF3F3F5)}, {1, Hex(0xF3F3F5)}}, Hex(0xCDD0DA)};
    k.BoxCheckedDisabled = {{{0, Hex(0xBCC3EA)}, {1, Hex(0xBCC3EA)}}, Hex(0xAEB6E0)};
    k.Mark = Hex(0xFFFFFF);
    k.MarkDisabled = Hex(0xF6F7FC);
    k.BoxRadius = 2;
    k.CheckStroke = 1.05f;
    k.DotGloss = 0;

    k.Arrow[0] = {{{0, Hex(0xF5F5F5)}, {1, Hex(0xF5F5F5)}}, Hex(0xF5F5F5), 0};
    k.Arrow[1] = {{{0, Hex(0xE8EBF7)}, {1, Hex(0xE8EBF7)}}, Hex(0xC9CEE6)};
    k.Arrow[2] = {{{0, Accent}, {1, Accent}}, Hex(0x3E50C4)};
    k.ArrowGlyph = {Hex(0x7E8498), Hex(0x3E50C4), Hex(0xFFFFFF)};
    k.ArrowRadius = 3;
    k.ArrowInset = 1;
    k.Chevrons = true;
    k.Thumb = {{{0, Hex(0xCDD1DE)}, {1, Hex(0xC3C8D8)}}, Hex(0xB5BACB)};
    k.ThumbRadius = 4;
    k.ThumbInset = 3;

    k.Groove = {{{0, Hex(0xD9DCE6)}, {1, Hex(0xE6E8EF)}}, Hex(0xC3C7D3)};
    k.GrooveThickness = 4;
    k.Slider = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xF0F1F5)}}, Accent};

    k.Progress = {{0, Hex(0x7B8CEA)}, {0.4f, Accent}, {1, Hex(0x4356CF)}};
    k.ProgressGloss = 0.12f;

    k.TabActive = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xFFFFFF)}}, Hex(0xC3C7D3)};
    k.TabInactive = {{{0, Hex(0xF1F2F6)}, {1, Hex(0xE9EBF1)}}, Hex(0xD3D6DF)};
    k.TabAccent = Accent;
    k.HasTabAccent = true;
    k.TabLine = {{0, Accent}, {1, Hex(0x9AA6EC)}};

    k.Handle = {{{0, Hex(0xEEF0F7)}, {1, Hex(0xD8DCEA)}}, Hex(0xB5BACB)};
    k.HandleGlyph = Accent;
    k.SideBar = {{0, Hex(0x6D7687)}, {1, Hex(0x535B6A)}};
    return k;
}

TPicture FormBackground() {
    // A barely-there dot grid keeps large areas from looking blank.
    TCanvas c(8, 8);
    c.Fill(Solid(Form));
    c.SetPixel(0, 0, Hex(0xF0F1F4));
    c.SetPixel(4, 4, Hex(0xF0F1F4));
    return Finish(c, Form, false);
}

} // namespace

void AddProtein(TRegistry& r) {
    const TKit kit = MakeKit();
    AddKitResources(r, "PROTEIN", kit, {222, 21, 52, 13, 52, 13, 1,  10, 45, 4, 11, 20, 18, 11,
                                        96,  16, 21, 16, 44, 11, 18, 17, 10, 5, 8,  83, 1,  21});
    r.Add("PROTEIN_TITLE_LEFT", 441, 23, [] { return TitleLeft(441, 23); });
    r.Add("PROTEIN_TITLE_CLIENT", 1, 23, [] { return TitlePlain(1, 23); });
    r.Add("PROTEIN_TITLE_RIGHT", 1, 23, [] { return TitlePlain(1, 23); });
    r.Add("PROTEIN_TITLEBTN", 342, 19, [] {
        TTitleLook look{TitleBack, 2, true, Hex(0x5F6878), TitleButton};
        return TitleButtonStrip(look, 19);
    });
    r.Add("PROTEIN_FORM_BACKGROUND", 8, 8, [] { return FormBackground(); });
}

} // namespace skingen
