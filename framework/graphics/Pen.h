#pragma once
// The canvas's line-drawing tool: colour, width and style. Its owner learns
// of every change through OnChange (so that it can repaint).

#include <functional>

#include "framework/graphics/Colors.h"

enum class TPenStyle { psSolid, psDot, psClear };

class TPen {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Widths below 1 draw as 1.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    // Copies colour, width and style (one change notification).
    void Assign(const TPen& other);

    std::function<void(TPen&)> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int32_t FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
};
