// MacOS: the light grey, pinstriped, aqua look. Pinstriped title bar with
// black caption and gel "traffic light" buttons that show their glyph when
// hot, pill-shaped clear push buttons that turn aqua blue under the mouse,
// blue gel marks and thumbs.

#include "Kit.h"

#include <cmath>

namespace skingen {

namespace {

const TRgb Form = Hex(0xE7E7E7);
const TRgb Border = Hex(0x7F7F7F);
const TRgb Aqua = Hex(0x3B8BE8);

// Pinstripes: every other row a little darker, over a soft top-to-bottom
// shade. Used by the title, the side-channel bar and the form background.
TRgb Stripe(int row, TRgb light, TRgb dark) {
    return row % 2 ? dark : light;
}

TShader TitleBack() {
    return [](float, float y) {
        const int row = int(y);
        if (row == 0)
            return Border;
        if (row == 22)
            return Hex(0x8E8E8E);
        const TRgb base = Stripe(row, Hex(0xF4F4F4), Hex(0xE4E4E4));
        return Mix(base, Hex(0xCFCFCF), float(row) / 40.0f);
    };
}

TPicture TitlePart(int w, int h) {
    TCanvas c(w, h);
    c.Fill(TitleBack());
    return Finish(c, Form, false);
}

// The gel colours of a title button: base, rim.
struct TGel {
    TRgb Base, Rim;
};

TGel GelOf(TTitleButton button) {
    switch (button) {
    case TTitleButton::Close:
        return {Hex(0xE8463C), Hex(0x9E2118)};
    case TTitleButton::Minimize:
        return {Hex(0xF0B02C), Hex(0xA8731A)};
    case TTitleButton::Maximize:
    case TTitleButton::Restore:
        return {Hex(0x5CC13B), Hex(0x2F7E1C)};
    case TTitleButton::Help:
        return {Aqua, Hex(0x1F5BA8)};
    case TTitleButton::ControlBox:
        break;
    }
    return {Hex(0x9AA3AE), Hex(0x5E6670)};
}

void PaintGelBall(TCanvas& c, float cx, float cy, float r, TRgb base, TRgb rim, bool pressed) {
    const TShape ball = Circle(cx, cy, r);
    const TRgb core = pressed ? Darken(base, 0.25f) : base;
    // Gel: darker at the top, glowing at the bottom, a bright cap above.
    c.Paint(ball, VerticalRamp({{0, Darken(core, 0.2f)}, {0.55f, core}, {1, Lighten(core, 0.55f)}},
                               cy - r, cy + r));
    c.Paint(Ellipse(cx, cy - r * 0.48f, r * 0.62f, r * 0.4f), Solid({1, 1, 1}),
            pressed ? 0.45f : 0.75f);
    c.Paint(InnerBand(ball, 1.0f), Solid(rim), 0.9f);
}

void TitleButton(TCanvas& c, TTitleButton button, TState state) {
    const float n = c.Width();
    const float cx = n / 2, cy = n / 2, r = n / 2 - 1.5f;
    const TGel gel = GelOf(button);
    // A soft shadow ring sets the ball into the stripes.
    c.Paint(Circle(cx, cy + 0.5f, r + 1.0f), Solid(Hex(0x000000)), 0.12f);
    const TRgb base = state == TState::Hover ? Lighten(gel.Base, 0.18f) : gel.Base;
    PaintGelBall(c, cx, cy, r, base, gel.Rim, state == TState::Pressed);
    if (state != TState::Normal || button == TTitleButton::ControlBox) {
        const TRgb ink = Darken(gel.Rim, 0.45f);
        c.Paint(TitleGlyph(button, cx, cy + 0.3f, r * 0.5f, 0.75f), Solid(ink), 0.85f);
    }
}

TKit MakeKit() {
    TKit k;
    k.Matte = Form;
    k.ScrollBack = Hex(0xC9C9C9);
    // Clear gel pill; aqua when hot; deep aqua when pressed.
    k.Button[0] = {
        {{0, Hex(0xFDFDFD)}, {0.5f, Hex(0xEDEDED)}, {0.52f, Hex(0xE0E0E0)}, {1, Hex(0xFBFBFB)}},
        Hex(0x8A8A8A)};
    k.Button[0].Gloss = 0.4f;
    k.Button[1] = {
        {{0, Hex(0x8FC1F5)}, {0.5f, Hex(0x5EA2EE)}, {0.52f, Hex(0x3B8BE8)}, {1, Hex(0xA9DAFF)}},
        Hex(0x2E67B5)};
    k.Button[1].Gloss = 0.75f;
    k.Button[2] = {
        {{0, Hex(0x4F8CD6)}, {0.5f, Hex(0x2D6FC6)}, {0.52f, Hex(0x1F5FB6)}, {1, Hex(0x6FA9EC)}},
        Hex(0x1B4A8F)};
    k.Button[2].Gloss = 0.45f;
    k.ButtonRadius = 11.5f;
    k.ButtonKeyed = true;

    k.Box = {{{0, Hex(0xF6F6F6)}, {0.5f, Hex(0xE6E6E6)}, {1, Hex(0xFFFFFF)}}, Hex(0x7E7E7E)};
    k.Box.Gloss = 0.5f;
    k.BoxChecked = {{{0, Hex(0x6FAAF0)}, {0.5f, Hex(0x3C8AE6)}, {1, Hex(0x9ED2FF)}}, Hex(0x2A5DA6)};
    k.BoxChecked.Gloss = 0.6f;
    k.BoxDisabled = {{{0, Hex(0xF4F4F4)}, {1, Hex(0xF4F4F4)}}, Hex(0xB8B8B8)};
    k.BoxCheckedDisabled = {{{0, Hex(0xC8D8EA)}, {1, Hex(0xDDE8F4)}}, Hex(0xA8B8CC)};
    k.Mark = Hex(0x101820);
    k.MarkDisabled = Hex(0x8C96A0);
    k.BoxRadius = 3;
    k.CheckStroke = 1.15f;
    k.BoxSize = 14;
    k.RadioSize = 15;
    k.DotGloss = 0.0f;

    k.Arrow[0] = {{{0, Hex(0xFAFAFA)}, {0.5f, Hex(0xE2E2E2)}, {1, Hex(0xF2F2F2)}}, Hex(0x8A8A8A)};
    k.Arrow[0].Gloss = 0.35f;
    k.Arrow[1] = {{{0, Hex(0xFFFFFF)}, {0.5f, Hex(0xEDF4FC)}, {1, Hex(0xFFFFFF)}}, Hex(0x6A8AB2)};
    k.Arrow[1].Gloss = 0.45f;
    k.Arrow[2] = {{{0, Hex(0x6FAAF0)}, {0.5f, Hex(0x3C8AE6)}, {1, Hex(0x9ED2FF)}}, Hex(0x2A5DA6)};
    k.Arrow[2].Gloss = 0.5f;
    k.ArrowGlyph = {Hex(0x303030), Hex(0x1B3E6E), Hex(0x0B1A30)};
    k.ArrowRadius = 1.5f;
    k.ArrowInset = 0;
    k.Thumb = {
        {{0, Hex(0x7DB5F2)}, {0.45f, Hex(0x4A93E8)}, {0.55f, Hex(0x3A86E2)}, {1, Hex(0x9AD0FF)}},
        Hex(0x2A5DA6)};
    k.Thumb.Gloss = 0.6f;
    k.ThumbRadius = 7;
    k.ThumbInset = 1;

    k.Groove = {{{0, Hex(0x9C9C9C)}, {1, Hex(0xDADADA)}}, Hex(0x7A7A7A)};
    k.GrooveThickness = 5;
    k.Slider = k.Thumb;
    k.Slider.Gloss = 0.5f;

    k.Progress = {
        {0, Hex(0x8CC4FA)}, {0.45f, Hex(0x4E98EB)}, {0.55f, Hex(0x3585E3)}, {1, Hex(0x96D2FF)}};
    k.ProgressGloss = 0.35f;

    k.TabActive = {{{0, Hex(0x8CC0F4)}, {0.5f, Hex(0x4A93E8)}, {1, Hex(0x6AAAF0)}}, Hex(0x2A5DA6)};
    k.TabActive.Gloss = 0.55f;
    k.TabInactive = {{{0, Hex(0xFBFBFB)}, {0.5f, Hex(0xE4E4E4)}, {1, Hex(0xEEEEEE)}},
                     Hex(0x8A8A8A)};
    k.TabInactive.Gloss = 0.35f;
    k.TabLine = {{0, Hex(0xF8F8F8)}, {0.6f, Hex(0xDCDCDC)}, {1, Hex(0x8A8A8A)}};

    k.Handle = {{{0, Hex(0xF4F4F4)}, {0.5f, Hex(0xD9D9D9)}, {1, Hex(0xBDBDBD)}}, Hex(0x8A8A8A)};
    k.Handle.Gloss = 0.5f;
    k.HandleGlyph = Hex(0x4A4A4A);
    k.SideBar = {{0, Hex(0xFBFBFB)}, {0.5f, Hex(0xE8E8E8)}, {1, Hex(0xC8C8C8)}};
    return k;
}

TPicture FormBackground() {
    TCanvas c(8, 8);
    c.Fill([](float, float y) { return Stripe(int(y), Hex(0xECECEC), Hex(0xE2E2E2)); });
    return Finish(c, Form, false);
}

TPicture MenuBar(int h) {
    // Stripes on a light bar; the last row closes the bar off.
    TCanvas c(1, h);
    c.Fill([h](float, float y) {
        const int row = int(y);
        if (row == h - 1)
            return Hex(0x9A9A9A);
        return Mix(Stripe(row, Hex(0xFBFBFB), Hex(0xF0F0F0)), Hex(0xE2E2E2), row / float(h));
    });
    return Finish(c, Form, false);
}

TPicture MenuSelect(int h) {
    TCanvas c(1, h);
    c.Fill(VerticalRamp(
        {{0, Hex(0x6EA6F0)}, {0.5f, Hex(0x3D84E6)}, {0.52f, Hex(0x2C74DC)}, {1, Hex(0x4C93EC)}}, 0,
        float(h)));
    return Finish(c, Form, false);
}

} // namespace

void AddMacOS(TRegistry& r) {
    const TKit kit = MakeKit();
    AddKitResources(r, "MACOS", kit, {252, 23, 60, 17, 64, 17, 13, 10, 45, 5, 11, 20, 19, 11,
                                      96,  22, 33, 16, 40, 11, 36, 27, 17, 7, 7,  84, 1,  21});
    r.Add("MACOS_TITLE_LEFT", 48, 23, [] { return TitlePart(48, 23); });
    r.Add("MACOS_TITLE_CLIENT", 49, 23, [] { return TitlePart(49, 23); });
    r.Add("MACOS_TITLE_RIGHT", 48, 23, [] { return TitlePart(48, 23); });
    r.Add("MACOS_TITLEBTN", 306, 17, [] {
        TTitleLook look{TitleBack(), 4, false, Hex(0xE8E8E8), TitleButton};
        return TitleButtonStrip(look, 17);
    });
    r.Add("MACOS_SCROLLBUTTON", 72, 18, [kit] { return ScrollButtonStrip(kit, 72, 18); });
    r.Add("MACOS_FORM_BACKGROUND", 8, 8, [] { return FormBackground(); });
    r.Add("MACOS_MENU_BAR", 1, 22, [] { return MenuBar(22); });
    r.Add("MACOS_MENU_SELECT", 1, 21, [] { return MenuSelect(21); });
}

} // namespace skingen
