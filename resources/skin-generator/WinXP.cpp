// WinXP: the blue, glossy, rounded look. Cream push buttons with a dark blue
// rim and an orange glow when hot, green marks, a saturated blue title bar
// with a light top edge and white-rimmed caption buttons, the red close button.

#include "Kit.h"

namespace skingen {

namespace {

const TRgb Form = Hex(0xEFEBDE);
const TRgb Border = Hex(0x002CC8);

// The title bar: a bright top edge, then the deep blue body darkening to the
// bottom. Rows of the 29-pixel title images.
const TShader TitleBack = Rows({{0, Hex(0x0A3FD8)},
                                {1, Hex(0x5A9EFF)},
                                {2, Hex(0x3F8BFB)},
                                {4, Hex(0x1468F2)},
                                {7, Hex(0x0058E8)},
                                {16, Hex(0x0054E2)},
                                {23, Hex(0x0051DC)},
                                {26, Hex(0x004AD2)},
                                {28, Hex(0x0038B4)}});

constexpr float CornerRadius = 7;

TPicture TitlePart(int w, int h, bool leftCorner, bool rightCorner) {
    TCanvas c(w, h);
    c.Fill(Solid(Border));
    const float l = leftCorner ? 0 : -20, r = rightCorner ? w : w + 20;
    const TShape body = RoundRect(l, 0, r, h + 20, CornerRadius);
    c.Paint(body, TitleBack);
    // A light edge just inside the rounded outline, as a lit window rim.
    c.PaintFaded(InnerBand(Inset(body, 0), 1.2f), Solid(Hex(0x6FB0FF)),
                 [=](float, float y) { return 0.8f * (1.0f - y / h); });
    return Finish(c, Border, false);
}

void TitleButton(TCanvas& c, TTitleButton button, TState state) {
    const float n = c.Width();
    const float cx = n / 2, cy = n / 2;
    const TShape shape = RoundRect(0.5f, 0.5f, n - 0.5f, n - 0.5f, 3.2f);
    const int s = int(state);
    if (button == TTitleButton::ControlBox) {
        if (state != TState::Normal)
            c.Paint(shape, Solid({1, 1, 1}), state == TState::Hover ? 0.25f : 0.12f);
        const float d = state == TState::Pressed ? 0.5f : 0.0f;
        c.Paint(RoundRect(cx - 6.5f + d, cy - 5 + d, cx + 6.5f + d, cy + 5.5f + d, 1),
                Solid(Hex(0xFFFFFF)));
        c.Paint(RoundRect(cx - 6.5f + d, cy - 5 + d, cx + 6.5f + d, cy - 2 + d, 1),
                Solid(Hex(0x2A6CE8)));
        c.Paint(InnerBand(RoundRect(cx - 6.5f + d, cy - 5 + d, cx + 6.5f + d, cy + 5.5f + d, 1), 1),
                Solid(Hex(0x0A3A9A)), 0.6f);
        return;
    }
    const bool close = button == TTitleButton::Close;
    const TRamp faces[3] = {
        close ? TRamp{{0, Hex(0xF0A48A)}, {0.45f, Hex(0xE35A32)}, {1, Hex(0xC8401E)}}
              : TRamp{{0, Hex(0x8CBBFF)}, {0.45f, Hex(0x2D78F5)}, {1, Hex(0x1A5AE0)}},
        close ? TRamp{{0, Hex(0xFFC2A8)}, {0.45f, Hex(0xF27A52)}, {1, Hex(0xE0532E)}}
              : TRamp{{0, Hex(0xB6D4FF)}, {0.45f, Hex(0x5596FF)}, {1, Hex(0x3273F0)}},
        close ? TRamp{{0, Hex(0xA8391E)}, {0.5f, Hex(0xC14423)}, {1, Hex(0xD9643F)}}
              : TRamp{{0, Hex(0x0B3FB8)}, {0.5f, Hex(0x1650CC)}, {1, Hex(0x2E6AE0)}},
    };
    c.Paint(shape, VerticalRamp(faces[s], 0, n));
    if (state != TState::Pressed)
        PaintGloss(c, Inset(shape, 1.5f), 1.5f, 1.5f, n - 1.5f, n * 0.45f, 0.35f);
    c.Paint(InnerBand(shape, 1.1f), Solid({1, 1, 1}), 0.92f);
    const float d = state == TState::Pressed ? 0.5f : 0.0f;
    c.Paint(TitleGlyph(button, cx + d, cy + d, 4.2f, 0.95f), Solid({1, 1, 1}));
}

TKit MakeKit() {
    TKit k;
    k.Matte = Form;
    k.ScrollBack = Hex(0xF9F9F9);
    const TRgb rim = Hex(0x003C74);
    k.Button[0] = {
        {{0, Hex(0xFFFFFF)}, {0.45f, Hex(0xF6F6F2)}, {0.8f, Hex(0xEAE8E1)}, {1, Hex(0xD8D2C6)}},
        rim};
    k.Button[1] = k.Button[0];
    k.Button[1].Glow = {{0, Hex(0xFFF0CF)}, {0.5f, Hex(0xFBD27A)}, {1, Hex(0xE5A01A)}};
    k.Button[1].GlowWidth = 2;
    k.Button[2] = {{{0, Hex(0xD9D6CB)}, {0.3f, Hex(0xE6E4DC)}, {1, Hex(0xF4F3EE)}}, rim};
    k.ButtonRadius = 3.5f;

    k.Box = {{{0, Hex(0xDCDCD7)}, {1, Hex(0xFFFFFF)}}, Hex(0x1C5180)};
    k.BoxChecked = k.Box;
    k.BoxDisabled = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xFFFFFF)}}, Hex(0xCAC8BB)};
    k.BoxCheckedDisabled = k.BoxDisabled;
    k.Mark = Hex(0x21A121);
    k.MarkDisabled = Hex(0xCAC8BB);
    k.BoxRadius = 0.5f;
    k.CheckStroke = 1.05f;
    k.DotGloss = 0.45f;

    k.Arrow[0] = {{{0, Hex(0xE3EBFE)}, {1, Hex(0xBACCF7)}}, Hex(0xB2C5F2)};
    k.Arrow[0].TopHighlight = 0.8f;
    k.Arrow[1] = {{{0, Hex(0xF2F7FF)}, {1, Hex(0xCADCFF)}}, Hex(0x98B3EE)};
    k.Arrow[1].TopHighlight = 0.9f;
    k.Arrow[2] = {{{0, Hex(0x9EB6F0)}, {1, Hex(0xBBCDF7)}}, Hex(0x86A2E2)};
    k.ArrowGlyph = {Hex(0x4D6185), Hex(0x2F4A84), Hex(0x1E3666)};
    k.ArrowRadius = 2.5f;
    k.ArrowInset = 0.5f;
    k.Thumb = {{{0, Hex(0xD6E2FD)}, {0.5f, Hex(0xC4D5FB)}, {1, Hex(0xAFC5F5)}}, Hex(0x98AFE6)};
    k.Thumb.TopHighlight = 0.8f;
    k.ThumbRadius = 3;
    k.ThumbInset = 0.5f;
    k.ThumbGrip = 2;

    k.Groove = {{{0, Hex(0xD6D4CB)}, {1, Hex(0xF4F3EE)}}, Hex(0x9D9C99)};
    k.GrooveThickness = 4;
    k.Slider = {{{0, Hex(0xFFFFFF)}, {0.6f, Hex(0xF0EFEA)}, {1, Hex(0xD8D6CC)}}, Hex(0x4A6FA5)};
    k.Slider.Glow = {
        {0, Hex(0xFFFFFF)}, {0.55f, Hex(0xFFFFFF)}, {0.7f, Hex(0x5BD054)}, {1, Hex(0x21A121)}};
    k.Slider.GlowWidth = 1.2f;

    k.Progress = {{0, Hex(0xB4EEB0)},
                  {0.25f, Hex(0x74DA6E)},
                  {0.5f, Hex(0x3CC834)},
                  {0.75f, Hex(0x2DBB26)},
                  {1, Hex(0x6CD466)}};
    k.ProgressGloss = 0.2f;

    k.TabActive = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xFCFCFE)}}, Hex(0x919B9C)};
    k.TabInactive = {{{0, Hex(0xFEFEFE)}, {1, Hex(0xE6E4DC)}}, Hex(0x919B9C)};
    k.TabAccent = Hex(0xF5B739);
    k.HasTabAccent = true;
    k.TabLine = {{0, Hex(0x919B9C)}, {1, Hex(0x919B9C)}};

    k.Handle = {{{0, Hex(0x8DB2F5)}, {0.5f, Hex(0x3D74E0)}, {1, Hex(0x245BCB)}}, Hex(0x1B4AAE)};
    k.Handle.Gloss = 0.4f;
    k.HandleGlyph = Hex(0xFFFFFF);
    k.SideBar = {{0, Hex(0xFFFFFF)}, {0.6f, Hex(0xDCE6FB)}, {1, Hex(0xC6D3F7)}};
    return k;
}

} // namespace

void AddWinXP(TRegistry& r) {
    const TKit kit = MakeKit();
    AddKitResources(r, "WINXP", kit, {54, 21, 52, 13, 52, 13, 6,  10, 45, 8, 11, 21, 22, 11,
                                      96, 17, 21, 16, 44, 11, 18, 18, 8,  1, 8,  86, 1,  21});
    r.Add("WINXP_TITLE_LEFT", 35, 29, [] { return TitlePart(35, 29, true, false); });
    r.Add("WINXP_TITLE_CLIENT", 37, 29, [] { return TitlePart(37, 29, false, false); });
    r.Add("WINXP_TITLE_RIGHT", 35, 29, [] { return TitlePart(35, 29, false, true); });
    r.Add("WINXP_TITLEBTN", 378, 21, [] {
        TTitleLook look{TitleBack, 5, false, Hex(0x0055E3), TitleButton};
        return TitleButtonStrip(look, 21);
    });
    r.Add("WINXP_SCROLLBUTTON", 72, 18, [kit] { return ScrollButtonStrip(kit, 72, 18); });
}

} // namespace skingen
