#pragma once
// The canvas's line-drawing tool: colour, width and style. Its owner learns
// of every change through OnChange (so that it can repaint).
//
// The dashed styles and the inside-frame style, end caps and joins are
// honoured by the shape operations that pictures use (polygons, poly-lines,
// ellipses, pies); the older line operations draw them solid with square
// ends.

#include <functional>

#include "framework/graphics/Colors.h"

enum class TPenStyle { psSolid, psDot, psClear, psDash, psDashDot, psDashDotDot, psInsideFrame };
// How the ends of open lines and the corners of wide pens look.
enum class TPenEndCap { pecRound, pecSquare, pecFlat };
enum class TPenJoin { pjRound, pjBevel, pjMiter };

class TPen {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Widths below 1 draw as 1.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenEndCap EndCap() const { return FEndCap; }
    void SetEndCap(TPenEndCap value);
    TPenJoin Join() const { return FJoin; }
    void SetJoin(TPenJoin value);
    // Copies colour, width, style, end cap and join (one change notification).
    void Assign(const TPen& other);

    std::function<void(TPen&)> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int32_t FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
    TPenEndCap FEndCap = TPenEndCap::pecRound;
    TPenJoin FJoin = TPenJoin::pjRound;
};
