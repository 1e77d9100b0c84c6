#pragma once
// The canvas's fill tool: a colour, solid or clear. A clear brush fills
// nothing and lets text draw without a background box.

#include <functional>

#include "framework/graphics/Colors.h"

enum class TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again, as the platform's does.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    void Assign(const TBrush& other);

    std::function<void(TBrush&)> OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
};
