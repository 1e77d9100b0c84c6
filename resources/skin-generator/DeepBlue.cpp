// DeepBlue: the fallback look. A dark navy, glassy title bar with square
// caption buttons and a maroon close button; light blue-grey push buttons
// with a navy rim; navy marks, thumbs and progress.

#include "Kit.h"

namespace skingen {

namespace {

const TRgb Form = Hex(0xE8E8E8);
const TRgb Navy = Hex(0x1B2F66);

const TShader TitleBack = Rows({{0, Hex(0x000000)},
                                {1, Hex(0x6A86CE)},
                                {2, Hex(0x4262B2)},
                                {5, Hex(0x2F4FA0)},
                                {14, Hex(0x233F8A)},
                                {15, Hex(0x15296A)},
                                {25, Hex(0x11235C)},
                                {29, Hex(0x1B3272)},
                                {30, Hex(0x2A4586)},
                                {31, Hex(0x08112E)}});

TPicture TitlePart(int w, int h, bool sheen) {
    TCanvas c(w, h);
    c.Fill(TitleBack);
    if (sheen) {
        // Two slanted bands of light behind the caption's start.
        for (float x0 : {44.0f, 58.0f})
            c.PaintFaded(
                Polygon({{x0, 1}, {x0 + 9, 1}, {x0 + 1, float(h - 1)}, {x0 - 8, float(h - 1)}}),
                Solid({1, 1, 1}), [h](float, float y) { return 0.09f * (1.0f - y / h); });
    }
    return Finish(c, Form, false);
}

void TitleButton(TCanvas& c, TTitleButton button, TState state) {
    const float n = c.Width();
    const float cx = n / 2, cy = n / 2;
    const TShape shape = RoundRect(1, 1, n - 1, n - 1, 3);
    const int s = int(state);
    const float d = state == TState::Pressed ? 0.5f : 0.0f;
    if (button == TTitleButton::ControlBox) {
        if (state != TState::Normal)
            c.Paint(shape, Solid({1, 1, 1}), state == TState::Hover ? 0.2f : 0.1f);
        c.Paint(TitleGlyph(button, cx + d, cy + d, 5.5f, 0.7f), Solid(Hex(0xDCE6FF)));
        return;
    }
    const bool close = button == TTitleButton::Close;
    const TRamp faces[3] = {
        close ? TRamp{{0, Hex(0xC8463C)}, {0.5f, Hex(0xA3261E)}, {1, Hex(0x7A1510)}}
              : TRamp{{0, Hex(0x4F6DBC)}, {0.5f, Hex(0x2C4A9A)}, {1, Hex(0x1B3478)}},
        close ? TRamp{{0, Hex(0xEE6A5C)}, {0.5f, Hex(0xCC3A2E)}, {1, Hex(0xA0241A)}}
              : TRamp{{0, Hex(0x7593E0)}, {0.5f, Hex(0x4869C0)}, {1, Hex(0x2E4FA2)}},
        close ? TRamp{{0, Hex(0x5E100C)}, {0.5f, Hex(0x7E1A14)}, {1, Hex(0x9A2A20)}}
              : TRamp{{0, Hex(0x0F1F50)}, {0.5f, Hex(0x17306E)}, {1, Hex(0x25418A)}},
    };
    c.Paint(shape, VerticalRamp(faces[s], 1, n - 1));
    if (state != TState::Pressed)
        c.Paint(Intersect(Inset(shape, 1), RoundRect(0, 0, n, n / 2, 0)), Solid({1, 1, 1}), 0.14f);
    c.Paint(InnerBand(shape, 1), Solid(state == TState::Hover ? Hex(0xFFFFFF) : Hex(0x9CB2EA)),
            state == TState::Pressed ? 0.5f : 0.85f);
    c.Paint(TitleGlyph(button, cx + d, cy + d, 3.8f, 0.9f), Solid({1, 1, 1}));
}

TKit MakeKit() {
    TKit k;
    k.Matte = Form;
    k.ScrollBack = Hex(0xF5F5F5);
    k.Button[0] = {{{0, Hex(0xF9FAFD)}, {0.5f, Hex(0xE4E9F4)}, {1, Hex(0xC9D2E6)}}, Navy};
    k.Button[0].TopHighlight = 0.9f;
    k.Button[1] = {{{0, Hex(0xFFFFFF)}, {0.5f, Hex(0xEDF2FC)}, {1, Hex(0xD4DEF2)}}, Navy};
    k.Button[1].Glow = {{0, Hex(0x9AB5F0)}, {1, Hex(0x3D64C8)}};
    k.Button[1].GlowWidth = 1.6f;
    k.Button[2] = {{{0, Hex(0xB8C5E0)}, {0.4f, Hex(0xCCD6EA)}, {1, Hex(0xE4E9F4)}}, Hex(0x0F1E48)};
    k.ButtonRadius = 2.5f;

    k.Box = {{{0, Hex(0xDDE3F0)}, {1, Hex(0xFFFFFF)}}, Navy};
    k.BoxChecked = k.Box;
    k.BoxDisabled = {{{0, Hex(0xF2F2F2)}, {1, Hex(0xFAFAFA)}}, Hex(0xA8B0C0)};
    k.BoxCheckedDisabled = k.BoxDisabled;
    k.Mark = Navy;
    k.MarkDisabled = Hex(0xA8B0C0);
    k.BoxRadius = 1;
    k.CheckStroke = 1.1f;
    k.DotGloss = 0.4f;

    k.Arrow[0] = {{{0, Hex(0xF4F6FB)}, {1, Hex(0xD3DBEC)}}, Hex(0x6A7AA0)};
    k.Arrow[0].TopHighlight = 0.8f;
    k.Arrow[1] = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xDDE6F8)}}, Hex(0x3D64C8)};
    k.Arrow[1].TopHighlight = 0.9f;
    k.Arrow[2] = {{{0, Hex(0x1D3882)}, {1, Hex(0x3050A4)}}, Hex(0x0F1E48)};
    k.ArrowGlyph = {Navy, Hex(0x2B4A9C), Hex(0xFFFFFF)};
    k.ArrowRadius = 2;
    k.ArrowInset = 0.5f;
    k.Thumb = {{{0, Hex(0x7A95D8)}, {0.5f, Hex(0x4463B6)}, {1, Hex(0x2B4A9C)}}, Navy};
    k.Thumb.TopHighlight = 0.5f;
    k.ThumbRadius = 3;
    k.ThumbInset = 1;
    k.ThumbGrip = 2;

    k.Groove = {{{0, Hex(0x7D8AA8)}, {1, Hex(0xC8D0E0)}}, Navy};
    k.GrooveThickness = 4;
    k.Slider = {{{0, Hex(0x6C8AD4)}, {0.5f, Hex(0x3657A8)}, {1, Hex(0x223F8C)}}, Hex(0x0F1E48)};
    k.Slider.Gloss = 0.35f;

    k.Progress = {
        {0, Hex(0x9DB4EE)}, {0.3f, Hex(0x5777C8)}, {0.6f, Hex(0x2B4A9C)}, {1, Hex(0x3D5EB4)}};
    k.ProgressGloss = 0.2f;

    k.TabActive = {{{0, Hex(0xFFFFFF)}, {1, Hex(0xE8ECF5)}}, Navy};
    k.TabInactive = {{{0, Hex(0xE3E8F2)}, {1, Hex(0xC9D2E4)}}, Hex(0x6C7A9C)};
    k.TabAccent = Hex(0x2B4A9C);
    k.HasTabAccent = true;
    k.TabLine = {{0, Hex(0x3D5CAE)}, {1, Navy}};

    k.Handle = {{{0, Hex(0x6C8AD4)}, {1, Hex(0x1D3882)}}, Hex(0x0F1E48)};
    k.Handle.Gloss = 0.3f;
    k.HandleGlyph = Hex(0xFFFFFF);
    k.SideBar = {
        {0, Hex(0x4262B2)}, {0.5f, Hex(0x233F8A)}, {0.52f, Hex(0x15296A)}, {1, Hex(0x1B3272)}};
    return k;
}

} // namespace

void AddDeepBlue(TRegistry& r) {
    const TKit kit = MakeKit();
    AddKitResources(r, "DEEPBLUE", kit, {222, 21, 52, 13, 52, 13, 1,  10, 45, 4, 11, 20, 18, 11,
                                         96,  16, 21, 16, 44, 11, 12, 17, 5,  5, 8,  83, 1,  20});
    r.Add("DEEPBLUE_TITLE_LEFT", 97, 32, [] { return TitlePart(97, 32, true); });
    r.Add("DEEPBLUE_TITLE_CLIENT", 98, 32, [] { return TitlePart(98, 32, false); });
    r.Add("DEEPBLUE_TITLE_RIGHT", 97, 32, [] { return TitlePart(97, 32, false); });
    r.Add("DEEPBLUE_TITLEBTN", 342, 19, [] {
        TTitleLook look{TitleBack, 2, false, Hex(0x233F8A), TitleButton};
        return TitleButtonStrip(look, 19);
    });
}

} // namespace skingen
