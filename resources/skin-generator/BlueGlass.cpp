// BlueGlass: the translucent-looking blue. Every surface is glass: a bright
// rim, a light upper half and a sharp step to a deeper lower half that glows
// again at its bottom edge. Glass beads for caption buttons, glass pills for
// push buttons, reflections across the title bar's ends.

#include "Kit.h"

namespace skingen {

namespace {

const TRgb Form = Hex(0xE7E7E7);
const TRgb Edge = Hex(0x000000);

const TShader TitleBack = Rows({{0, Hex(0x0A2450)},
                                {1, Hex(0xCDE6FF)},
                                {2, Hex(0x8EC2F8)},
                                {4, Hex(0x6EAAF0)},
                                {15, Hex(0x4C8DE2)},
                                {16, Hex(0x2463C4)},
                                {26, Hex(0x2D71D0)},
                                {29, Hex(0x4B92E6)},
                                {31, Hex(0x7DBDF7)},
                                {32, Hex(0x163E80)}});

constexpr float CornerRadius = 6;

TPicture TitlePart(int w, int h, bool leftCorner, bool rightCorner, bool reflections) {
    TCanvas c(w, h);
    c.Fill(Solid(Edge));
    const float l = leftCorner ? 0 : -20, r = rightCorner ? w : w + 20;
    const TShape body = RoundRect(l, 0, r, h + 20, CornerRadius);
    c.Paint(body, TitleBack);
    if (reflections) {
        // Broad curved reflections, as light falling on a glass pane.
        const float fw = float(w);
        c.Paint(Intersect(body, Subtract(Ellipse(fw * 0.25f, -10, fw * 0.55f, 26),
                                         Ellipse(fw * 0.3f, -16, fw * 0.55f, 26))),
                Solid({1, 1, 1}), 0.22f);
        c.PaintFaded(Intersect(body, Ellipse(fw * 0.5f, float(h) + 6, fw * 0.45f, 14)),
                     Solid(Hex(0xA8DCFF)), [h](float, float y) { return 0.35f * (y / h); });
    }
    c.PaintFaded(InnerBand(body, 1), Solid(Hex(0xCDE6FF)),
                 [h](float, float y) { return 0.6f * (1.0f - y / h); });
    return Finish(c, Edge, false);
}

void TitleButton(TCanvas& c, TTitleButton button, TState state) {
    const float n = c.Width();
    const float cx = n / 2, cy = n / 2, r = n / 2 - 1.2f;
    const bool close = button == TTitleButton::Close;
    const TRgb base = close ? Hex(0xE0463A) : Hex(0x3F86E8);
    const TRgb core = state == TState::Hover     ? Lighten(base, 0.25f)
                      : state == TState::Pressed ? Darken(base, 0.3f)
                                                 : base;
    const TShape bead = Circle(cx, cy, r);
    c.Paint(bead, VerticalRamp({{0, Lighten(core, 0.45f)},
                                {0.48f, core},
                                {0.52f, Darken(core, 0.18f)},
                                {1, Lighten(core, 0.35f)}},
                               cy - r, cy + r));
    c.Paint(Ellipse(cx, cy - r * 0.5f, r * 0.7f, r * 0.38f), Solid({1, 1, 1}),
            state == TState::Pressed ? 0.3f : 0.55f);
    c.Paint(InnerBand(bead, 1), Solid(close ? Hex(0x7A1810) : Hex(0x123F8A)), 0.85f);
    if (state == TState::Hover)
        c.Paint(InnerBand(Inset(bead, 1), 1), Solid({1, 1, 1}), 0.45f);
    const float d = state == TState::Pressed ? 0.5f : 0.0f;
    c.Paint(
        TitleGlyph(button, cx + d, cy + d, button == TTitleButton::ControlBox ? 4.2f : 3.4f, 0.85f),
        Solid({1, 1, 1}));
}

// Glass in a light, a hot and a pressed tint.
TRamp Glass(TRgb top, TRgb upper, TRgb lower, TRgb bottom) {
    return {{0, top}, {0.48f, upper}, {0.52f, lower}, {1, bottom}};
}

TKit MakeKit() {
    TKit k;
    k.Matte = Form;
    k.ScrollBack = Hex(0xF4F4F4);
    k.Button[0] = {Glass(Hex(0xF7FBFF), Hex(0xDDECFC), Hex(0xC6DDF8), Hex(0xE6F3FF)),
                   Hex(0x5C8FCF)};
    k.Button[0].Gloss = 0.5f;
    k.Button[1] = {Glass(Hex(0xEEF8FF), Hex(0xBFE2FF), Hex(0x9ACEFF), Hex(0xD8F2FF)),
                   Hex(0x2F7BD8)};
    k.Button[1].Gloss = 0.6f;
    k.Button[1].Glow = {{0, Hex(0xFFFFFF)}, {1, Hex(0xB8E4FF)}};
    k.Button[1].GlowWidth = 1;
    k.Button[1].GlowOpacity = 0.8f;
    k.Button[2] = {Glass(Hex(0xB2D3F7), Hex(0x8EBBEE), Hex(0x79ACE9), Hex(0xB9DAFA)),
                   Hex(0x2457A8)};
    k.Button[2].Gloss = 0.3f;
    k.ButtonRadius = 8;
    k.ButtonKeyed = true;

    k.Box = {Glass(Hex(0xFFFFFF), Hex(0xE8F2FD), Hex(0xD6E7FA), Hex(0xF2F8FF)), Hex(0x5C8FCF)};
    k.Box.Gloss = 0.4f;
    k.BoxChecked = k.Box;
    k.BoxDisabled = {{{0, Hex(0xF2F4F7)}, {1, Hex(0xF2F4F7)}}, Hex(0xB5C3D5)};
    k.BoxCheckedDisabled = k.BoxDisabled;
    k.Mark = Hex(0x1F5FB8);
    k.MarkDisabled = Hex(0xA9B8CC);
    k.BoxRadius = 3;
    k.CheckStroke = 1.1f;
    k.DotGloss = 0.6f;

    k.Arrow[0] = {Glass(Hex(0xF7FBFF), Hex(0xDDECFC), Hex(0xC6DDF8), Hex(0xE6F3FF)), Hex(0x7FA6D8)};
    k.Arrow[1] = {Glass(Hex(0xEEF8FF), Hex(0xBFE2FF), Hex(0x9ACEFF), Hex(0xD8F2FF)), Hex(0x2F7BD8)};
    k.Arrow[2] = {Glass(Hex(0x7FB4F0), Hex(0x4C8DE2), Hex(0x2F72D2), Hex(0x6AA8EE)), Hex(0x1B4F9E)};
    k.ArrowGlyph = {Hex(0x2457A8), Hex(0x1B4F9E), Hex(0xFFFFFF)};
    k.ArrowRadius = 3;
    k.ArrowInset = 0.5f;
    k.Thumb = {Glass(Hex(0xA6D2FF), Hex(0x62A2EC), Hex(0x3D84DE), Hex(0x86C2F8)), Hex(0x2457A8)};
    k.Thumb.Gloss = 0.35f;
    k.ThumbRadius = 5;
    k.ThumbInset = 1;

    k.Groove = {{{0, Hex(0x9DB4D0)}, {1, Hex(0xE3EDF8)}}, Hex(0x5C8FCF)};
    k.GrooveThickness = 4;
    k.Slider = k.Thumb;

    k.Progress = Glass(Hex(0xB4DBFF), Hex(0x5E9EEA), Hex(0x2F7BD8), Hex(0x7BBBF7));
    k.ProgressGloss = 0.25f;

    k.TabActive = {Glass(Hex(0xD6EBFF), Hex(0x8EC0F4), Hex(0x6AA8EE), Hex(0xA6D2FF)),
                   Hex(0x2457A8)};
    k.TabActive.Gloss = 0.4f;
    k.TabInactive = {Glass(Hex(0xFFFFFF), Hex(0xE8F1FB), Hex(0xD6E6F8), Hex(0xEAF4FF)),
                     Hex(0x7FA6D8)};
    k.TabLine = Glass(Hex(0x8EC2F8), Hex(0x4C8DE2), Hex(0x2463C4), Hex(0x4B92E6));

    k.Handle = {Glass(Hex(0xA6D2FF), Hex(0x62A2EC), Hex(0x3D84DE), Hex(0x86C2F8)), Hex(0x2457A8)};
    k.Handle.Gloss = 0.5f;
    k.HandleGlyph = Hex(0xFFFFFF);
    k.SideBar = Glass(Hex(0x9ACBFA), Hex(0x4C8DE2), Hex(0x2463C4), Hex(0x6FB0F2));
    return k;
}

} // namespace

void AddBlueGlass(TRegistry& r) {
    const TKit kit = MakeKit();
    AddKitResources(r, "BLUEGLASS", kit, {231, 27, 52, 13, 52, 13, 1,  10, 45, 4, 11, 20, 18, 11,
                                          102, 16, 21, 16, 44, 11, 18, 17, 10, 5, 8,  86, 1,  21});
    r.Add("BLUEGLASS_TITLE_LEFT", 162, 33, [] { return TitlePart(162, 33, true, false, true); });
    r.Add("BLUEGLASS_TITLE_CLIENT", 179, 33,
          [] { return TitlePart(179, 33, false, false, false); });
    r.Add("BLUEGLASS_TITLE_RIGHT", 101, 33, [] { return TitlePart(101, 33, false, true, true); });
    r.Add("BLUEGLASS_TITLEBTN", 342, 19, [] {
        TTitleLook look{TitleBack, 6, true, Hex(0x4C8DE2), TitleButton};
        return TitleButtonStrip(look, 19);
    });
}

} // namespace skingen
