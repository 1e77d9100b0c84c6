#pragma once
// The canvas's fill tool: a colour, solid or clear. A clear brush fills
// nothing and lets text draw without a background box. A hatched brush
// draws the platform's 8 x 8 hatch lines in its colour and leaves the gaps
// alone; a brush with a pattern bitmap tiles it from its origin unless it
// is clear.

#include <functional>
#include <memory>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Types.h"

class TBitmap;

enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal, // "\"
    bsBDiagonal, // "/"
    bsCross,
    bsDiagCross
};

class TBrush {
public:
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again, as the platform's does.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // The pattern (shared, never changed once set); nullptr for none.
    const std::shared_ptr<const TBitmap>& Bitmap() const { return FBitmap; }
    void SetBitmap(std::shared_ptr<const TBitmap> value);
    // Where hatches and patterns start, in device pixels ((0, 0): the
    // target's top-left corner).
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint value);
    // Whether a pixel at device (x, y) is painted, and in which colour
    // (plain RGB). Hatch gaps and clear brushes paint nothing.
    bool PixelAt(int32_t x, int32_t y, TColor& rgb) const;
    void Assign(const TBrush& other);

    std::function<void(TBrush&)> OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
    std::shared_ptr<const TBitmap> FBitmap;
    TPoint FOrigin;
};
