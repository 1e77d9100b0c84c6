#pragma once
// What the looks share: finished pictures, frame strips, the registry of
// resources the generator writes, and the glyphs drawn on buttons.

#include "Raster.h"

#include <functional>
#include <string>
#include <vector>

namespace skingen {

struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // 0xRRGGBB, rows from the top
};

TPicture Finish(const TCanvas& canvas, TRgb matte, bool keyed);
// Frames laid side by side, left to right, all of the first frame's height.
TPicture Strip(const std::vector<TPicture>& frames);

// Button states in the order the strips hold them.
enum class TState { Normal, Hover, Pressed };
inline constexpr TState AllStates[] = {TState::Normal, TState::Hover, TState::Pressed};

// The title-bar buttons in strip order: each gets normal, hover, pressed.
enum class TTitleButton { ControlBox, Help, Maximize, Restore, Minimize, Close };
inline constexpr TTitleButton AllTitleButtons[] = {TTitleButton::ControlBox, TTitleButton::Help,
                                                   TTitleButton::Maximize,   TTitleButton::Restore,
                                                   TTitleButton::Minimize,   TTitleButton::Close};

// Check box and radio button strips: checked, unchecked, checked disabled,
// unchecked disabled.
struct TMarkState {
    bool Checked;
    bool Enabled;
};
inline constexpr TMarkState AllMarkStates[] = {
    {true, true}, {false, true}, {true, false}, {false, false}};

enum class TDirection { Up, Down, Left, Right };

class TRegistry {
public:
    using TPainter = std::function<TPicture()>;
    void Add(const std::string& name, int width, int height, TPainter painter);
    // Paints every resource, checks its size and writes NAME.bmp into `folder`.
    // Returns the number written.
    int WriteAll(const std::string& folder) const;

    int Count() const { return int(FEntries.size()); }
    const std::string& Name(int index) const { return FEntries[index].Name; }
    // Paints one resource and checks its size; the BMP file's bytes.
    std::vector<uint8_t> Encode(int index) const;
    // Paints the resource of that name and checks its size.
    TPicture Paint(const std::string& name) const;

private:
    struct TEntry {
        std::string Name;
        int Width, Height;
        TPainter Painter;
    };
    std::vector<TEntry> FEntries;
};

// Every resource of every look.
void AddAll(TRegistry& registry);
void AddMacOS(TRegistry& registry);
void AddWinXP(TRegistry& registry);
void AddDeepBlue(TRegistry& registry);
void AddProtein(TRegistry& registry);
void AddBlueGlass(TRegistry& registry);
void AddShared(TRegistry& registry);

// Glyphs centred on (cx, cy); `s` is half the glyph's extent, `hw` half the
// stroke width.
TShape GlyphClose(float cx, float cy, float s, float hw);
TShape GlyphMaximize(float cx, float cy, float s, float hw);
TShape GlyphRestore(float cx, float cy, float s, float hw);
TShape GlyphMinimize(float cx, float cy, float s, float hw);
TShape GlyphHelp(float cx, float cy, float s, float hw);
TShape GlyphCheck(float cx, float cy, float s, float hw);
TShape GlyphArrow(float cx, float cy, float s, TDirection direction);
TShape GlyphChevron(float cx, float cy, float s, float hw, TDirection direction);
TShape GlyphPlus(float cx, float cy, float s, float hw);
// The shape of the glyph of a title-bar button (the control box gets a small
// window symbol).
TShape TitleGlyph(TTitleButton button, float cx, float cy, float s, float hw);

// A soft gel highlight: an ellipse over the upper part of a box, fading out
// downwards; painted in white at `strength`.
void PaintGloss(TCanvas& canvas, const TShape& clip, float x0, float y0, float x1, float y1,
                float strength);

} // namespace skingen
