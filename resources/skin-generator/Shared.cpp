// Resources shared by several looks or read by name: the round scroll
// buttons of DeepBlue, Protein and BlueGlass, the menus' check mark, the MDI
// form's control buttons and the data navigator's glyphs.

#include "Kit.h"

namespace skingen {

namespace {

TPicture MoreScrollButtons() {
    TKit k;
    k.Matte = Hex(0xEEEEEE);
    k.Arrow[0] = {{{0, Hex(0xF4F7FC)}, {0.5f, Hex(0xDCE3EF)}, {1, Hex(0xC4CFE2)}}, Hex(0x6F7F9E)};
    k.Arrow[0].Gloss = 0.4f;
    k.ArrowGlyph = {Hex(0x2E3E60), Hex(0x2E3E60), Hex(0x2E3E60)};
    return ScrollButtonStrip(k, 72, 17);
}

TPicture MenuChecked() {
    // On white, the mask colour menus add it with.
    TCanvas c(16, 16);
    c.Fill(Solid({1, 1, 1}));
    c.Paint(GlyphCheck(8, 8, 4, 1.05f), Solid(Hex(0x1A1A1A)));
    return Finish(c, {1, 1, 1}, false);
}

TPicture MdiControlButtons() {
    std::vector<TPicture> frames;
    for (TTitleButton b : {TTitleButton::Minimize, TTitleButton::Restore, TTitleButton::Close}) {
        TCanvas c(16, 16);
        const TShape face = RoundRect(0.5f, 0.5f, 15.5f, 15.5f, 2);
        c.Paint(face, VerticalRamp({{0, Hex(0xFFFFFF)}, {1, Hex(0xDCDCDC)}}, 0, 16));
        c.Paint(InnerBand(face, 1), Solid(Hex(0x808080)));
        c.Paint(TitleGlyph(b, 8, 8, 3.6f, 0.75f), Solid(Hex(0x202020)));
        frames.push_back(Finish(c, Hex(0xD4D0C8), false));
    }
    return Strip(frames);
}

TPicture NavigatorButtons() {
    // First, prior, next, last, insert, delete, edit, post, cancel, refresh.
    const TRgb blue = Hex(0x2455B8), green = Hex(0x1E9A2E), red = Hex(0xC8302A);
    std::vector<TPicture> frames;
    for (int n = 0; n < 10; ++n) {
        TCanvas c(16, 16);
        const float cx = 8, cy = 8;
        switch (n) {
        case 0:
            c.Paint(Union(RoundRect(3.5f, 3.5f, 5.5f, 12.5f, 0.3f),
                          GlyphArrow(9, cy, 4.5f, TDirection::Left)),
                    Solid(blue));
            break;
        case 1:
            c.Paint(GlyphArrow(cx, cy, 4.5f, TDirection::Left), Solid(blue));
            break;
        case 2:
            c.Paint(GlyphArrow(cx, cy, 4.5f, TDirection::Right), Solid(blue));
            break;
        case 3:
            c.Paint(Union(RoundRect(10.5f, 3.5f, 12.5f, 12.5f, 0.3f),
                          GlyphArrow(7, cy, 4.5f, TDirection::Right)),
                    Solid(blue));
            break;
        case 4:
            c.Paint(GlyphPlus(cx, cy, 4.5f, 1.1f), Solid(green));
            break;
        case 5:
            c.Paint(RoundRect(3.5f, 7, 12.5f, 9.2f, 0.3f), Solid(red));
            break;
        case 6:
            c.Paint(Polygon({{cx, 3.5f}, {12.5f, 11.5f}, {3.5f, 11.5f}}), Solid(blue));
            break;
        case 7:
            c.Paint(GlyphCheck(cx, cy, 4.5f, 1.1f), Solid(green));
            break;
        case 8:
            c.Paint(GlyphClose(cx, cy, 3.8f, 1.1f), Solid(red));
            break;
        default: {
            const float pi = 3.14159265f;
            c.Paint(Arc(cx, cy, 4.2f, -pi * 0.35f, pi * 1.35f, 0.9f), Solid(green));
            c.Paint(Polygon({{11.5f, 1.8f}, {13.4f, 6.6f}, {8.6f, 5.6f}}), Solid(green));
        }
        }
        frames.push_back(Finish(c, Hex(0xD4D0C8), true));
    }
    return Strip(frames);
}

} // namespace

void AddShared(TRegistry& r) {
    r.Add("MORE_SCROLLBUTTON", 72, 17, [] { return MoreScrollButtons(); });
    r.Add("MENU_CHECKED", 16, 16, [] { return MenuChecked(); });
    r.Add("MDI_CONTROL_BUTTON", 48, 16, [] { return MdiControlButtons(); });
    r.Add("DBNAV_BUTTON", 160, 16, [] { return NavigatorButtons(); });
}

} // namespace skingen
