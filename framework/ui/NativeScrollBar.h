#pragma once
// The platform's own scroll bars, as a control draws them in its
// non-client area right of and below its client rectangle (the memo's): the
// thumb laid out from the control's scroll information, what
// GetScrollBarInfo reports of them, clicks on their arrows and tracks sent
// to the control as WM_VSCROLL / WM_HSCROLL, the thumb dragged with the
// pointer captured, and their painting. The control keeps the positions:
// it answers GetScrollInfo (false for a bar it does not show) and scrolls
// on the messages. While a thumb is dragged the bars keep its whole
// position, which the 16 bits of a message cannot carry.

#include "framework/ui/ScrollBarGeometry.h"
#include "framework/ui/WinControl.h"

class TNativeScrollBars {
public:
    explicit TNativeScrollBars(TWinControl& control) : FControl(control) {}
    TNativeScrollBars(const TNativeScrollBars&) = delete;
    TNativeScrollBars& operator=(const TNativeScrollBars&) = delete;

    // Where the bar lies in control coordinates: along the right (bottom)
    // edge of the client rectangle, as long as that edge.
    TRect BarRect(int bar) const;
    // What the platform reports of the bar; an invisible one when the
    // control does not show it.
    bool GetScrollBarInfo(int bar, TScrollBarInfo& info);
    // The position a thumb request for `bar` stands for: the whole tracked
    // position while its thumb is dragged, else `position`.
    int TrackPosition(int bar, int position) const;
    // The bar whose thumb is dragged, or -1.
    int DraggedBar() const { return FDragBar; }

    // The left button pressed at a control point: true when it fell on a
    // bar, whose arrow or track then scrolls or whose thumb is taken.
    bool MouseDown(const TPoint& controlPoint);
    // The pointer moved while a thumb is dragged (true): the control is
    // sent SB_THUMBTRACK for the position under it.
    bool MouseMove(const TPoint& controlPoint);
    // Lets the dragged thumb go at the control's `position` now:
    // SB_THUMBPOSITION, then SB_ENDSCROLL, and the capture released.
    void EndDrag(int position);

    void Paint(TCanvas& canvas);

private:
    bool Shown(int bar);
    TScrollBarGeometry Geometry(int bar);

    TWinControl& FControl;
    int FDragBar = -1; // the bar whose thumb is being dragged
    int FDragGrab = 0; // where on the thumb it was taken
    int FDragPos = 0;  // the position the dragged thumb stands for
};
