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
// How the pen's and the brush's colour mix with what the shape operations
// draw over (the platform's binary raster operations, R2_ numbers): pmCopy
// paints, pmXor inverts where the colour has bits, pmMask keeps what both
// have. The shape operations pictures use (polygons, poly-lines, box
// shapes, contours) follow it; the older line operations, bitmaps, text
// and FillRect paint as pmCopy.
enum class TPenMode {
    pmBlack = 1,
    pmNotMerge,
    pmMaskNotPen,
    pmNotCopy,
    pmMaskPenNot,
    pmNot,
    pmXor,
    pmNotMask,
    pmMask,
    pmNotXor,
    pmNop,
    pmMergeNotPen,
    pmCopy,
    pmMergePenNot,
    pmMerge,
    pmWhite
};
// The platform's default limit of a miter join's length to half the
// pen's width; longer miters are bevelled.
constexpr double kDefaultMiterLimit = 10.0;

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
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    // At least 1.
    double MiterLimit() const { return FMiterLimit; }
    void SetMiterLimit(double value);
    // Copies colour, width, style, end cap, join, mode and miter limit (one
    // change notification).
    void Assign(const TPen& other);

    std::function<void(TPen&)> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int32_t FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
    TPenEndCap FEndCap = TPenEndCap::pecRound;
    TPenJoin FJoin = TPenJoin::pjRound;
    TPenMode FMode = TPenMode::pmCopy;
    double FMiterLimit = kDefaultMiterLimit;
};
