#pragma once
// The off-screen bitmap of one paint of a skinned control. Only the part of
// the client area that the paint can show (the control canvas's clip) is
// composed, in the control's own client coordinates, and then copied to the
// control's canvas in one step. A control asked for its background by a
// see-through child (DrawParentBackground) therefore composes just the
// child's area, not its whole self.
//
// The buffer starts at an even x + y of the client area, so that dotted
// focus rectangles, whose dots follow the device pixels' parity, keep their
// pattern however much of the control is repainted.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

class TsuiOffscreen {
public:
    TsuiOffscreen(TCanvas& target, const TRect& client) : FTarget(target) {
        TRect area;
        if (!IntersectRect(area, client, target.ClipRect()))
            return;
        if ((area.Left - client.Left + area.Top - client.Top) % 2 != 0) {
            if (area.Left > client.Left)
                --area.Left;
            else
                --area.Top;
        }
        FArea = area;
        FBuffer.SetSize(area.Width(), area.Height());
        FBuffer.Canvas().SetOrigin(Point(-area.Left, -area.Top));
    }
    TsuiOffscreen(const TsuiOffscreen&) = delete;
    TsuiOffscreen& operator=(const TsuiOffscreen&) = delete;

    // Draws in client coordinates.
    TCanvas& Canvas() { return FBuffer.Canvas(); }
    // The part of the client area being composed.
    const TRect& Area() const { return FArea; }
    bool Empty() const { return FBuffer.Empty(); }
    // The composed part onto the control's canvas, replacing what is there.
    void CopyToTarget() {
        if (!FBuffer.Empty())
            FTarget.StretchBlt(FArea, FBuffer, Rect(0, 0, FBuffer.Width(), FBuffer.Height()));
    }

private:
    TCanvas& FTarget;
    TRect FArea{};
    TBitmap FBuffer;
};
