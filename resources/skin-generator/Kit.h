#pragma once
// The control pictures every look has, painted from a look's description:
// faces for each state, colours, radii. A look fills in a TKit and gets its
// push buttons, marks, scroll-bar pieces, track-bar pieces, tabs and side
// channel pieces from the painters here; title bars are each look's own.

#include "Skin.h"

#include <array>

namespace skingen {

// How one filled shape looks in one state.
struct TFace {
    TRamp Fill{{0, {1, 1, 1}}, {1, {1, 1, 1}}}; // top to bottom of the shape's box
    TRgb Border{};
    float BorderOpacity = 1.0f;
    float Gloss = 0.0f;                         // white gel reflection over the upper half
    TRamp Glow{{0, {1, 1, 1}}, {1, {1, 1, 1}}}; // an inner ring (hover and focus looks)
    float GlowWidth = 0.0f;
    float GlowOpacity = 1.0f;
    float TopHighlight = 0.0f; // a white line just inside the top edge
};

// Paints `face` into `outline`, whose box is (x0, y0)-(x1, y1).
void PaintFace(TCanvas& canvas, const TShape& outline, const TFace& face, float x0, float y0,
               float x1, float y1);

struct TKit {
    TRgb Matte;      // what controls sit on: the look's form colour
    TRgb ScrollBack; // the scroll bar's own background

    // Push buttons: normal, hover, pressed.
    std::array<TFace, 3> Button;
    float ButtonRadius = 3;
    bool ButtonKeyed = false; // fuchsia outside the rounded corners

    // Check boxes and radio buttons.
    TFace Box, BoxChecked, BoxDisabled, BoxCheckedDisabled;
    TRgb Mark{}, MarkDisabled{};
    float BoxRadius = 2;
    float CheckStroke = 1.0f; // half width of the check mark
    float BoxSize = 13;       // check box square
    float RadioSize = 13;     // radio circle diameter
    float DotGloss = 0.0f;

    // Scroll bar arrow buttons (normal, hover, pressed) and the thumb.
    std::array<TFace, 3> Arrow;
    std::array<TRgb, 3> ArrowGlyph;
    float ArrowRadius = 2;
    float ArrowInset = 0;
    bool Chevrons = false; // outline chevrons instead of solid triangles
    TFace Thumb;
    float ThumbRadius = 3;
    float ThumbInset = 1; // across the thumb
    int ThumbGrip = 0;    // grip lines on the end caps (count)

    // Track bar.
    TFace Groove;
    float GrooveThickness = 4;
    TFace Slider;

    TRamp Progress{{0, {0, 0, 0}}, {1, {0, 0, 0}}};
    float ProgressGloss = 0;

    // Tabs: selected and not, and the line under them.
    TFace TabActive, TabInactive;
    TRgb TabAccent{};
    bool HasTabAccent = false;
    TRamp TabLine{{0, {0, 0, 0}}, {1, {0, 0, 0}}};

    // Side channel: the handle and the caption bar.
    TFace Handle;
    TRgb HandleGlyph{};
    TRamp SideBar{{0, {0, 0, 0}}, {1, {0, 0, 0}}};
};

TPicture ButtonStrip(const TKit& kit, int frameWidth, int height);
TPicture MarkStrip(const TKit& kit, int frameWidth, int height, bool radio);
TPicture ArrowButtonStrip(const TKit& kit, int frameWidth, int height);
TPicture ThumbStrip(const TKit& kit, int frameWidth, int height);
TPicture GrooveBar(const TKit& kit, int width, int height);
TPicture SliderPicture(const TKit& kit, int width, int height, bool vertical);
TPicture ProgressPicture(const TKit& kit, int width, int height);
TPicture CheckListStrip(const TKit& kit, int width, int height);
TPicture ScrollButtonStrip(const TKit& kit, int width, int height);
TPicture TabStrip(const TKit& kit, int width, int height);
TPicture TabLinePicture(const TKit& kit, int width, int height);
TPicture SideHandle(const TKit& kit, int width, int height);
TPicture SideBarPicture(const TKit& kit, int width, int height);

// A look's title bar as the generator needs it.
struct TTitleLook {
    TShader Background; // in title-image coordinates (stretched parts uniform in x)
    int ButtonRow = 0;  // image row of the buttons' top edge
    bool ButtonsKeyed = false;
    TRgb Matte; // what keyed buttons' edges blend into
    std::function<void(TCanvas&, TTitleButton, TState)> PaintButton;
};

TPicture TitleButtonStrip(const TTitleLook& look, int frameSize);

// Every kit-drawn resource of a look, registered under PREFIX_ELEMENT with the
// sizes given.
struct TKitSizes {
    int ButtonW, ButtonH, CheckW, CheckH, RadioW, RadioH;
    int ProgressW, ProgressH, BarW, BarH, SliderW, SliderH, SliderVW, SliderVH;
    int ArrowW, ArrowH, ThumbW, ThumbH, CheckListW, CheckListH;
    int TabW, TabH, TabLineW, TabLineH, HandleW, HandleH, SideBarW, SideBarH;
};
void AddKitResources(TRegistry& registry, const std::string& prefix, const TKit& kit,
                     const TKitSizes& sizes);

} // namespace skingen
