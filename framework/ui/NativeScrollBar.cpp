#include "framework/ui/NativeScrollBar.h"

#include "framework/graphics/Canvas.h"
#include "framework/ui/Application.h"
#include "framework/ui/Panel.h"

TRect TNativeScrollBars::BarRect(int bar) const {
    TPoint o = FControl.ClientOffset();
    TRect c = FControl.ClientRect();
    if (bar == SB_VERT)
        return Rect(o.X + c.Right, o.Y, o.X + c.Right + kScrollBarSize, o.Y + c.Bottom);
    return Rect(o.X, o.Y + c.Bottom, o.X + c.Right, o.Y + c.Bottom + kScrollBarSize);
}

bool TNativeScrollBars::Shown(int bar) {
    TScrollInfo si;
    return FControl.GetScrollInfo(bar, si);
}

TScrollBarGeometry TNativeScrollBars::Geometry(int bar) {
    TRect r = BarRect(bar);
    TScrollInfo si;
    bool shown = FControl.GetScrollInfo(bar, si);
    TScrollRange range{si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos};
    // A bar taken away while its thumb is dragged has no arrows and no thumb.
    return TScrollBarGeometry(bar == SB_VERT ? r.Height() : r.Width(), range,
                              shown && FControl.IsEnabledInParents(), shown ? kScrollBarSize : 0);
}

bool TNativeScrollBars::GetScrollBarInfo(int bar, TScrollBarInfo& info) {
    info = TScrollBarInfo{};
    if (!Shown(bar)) {
        info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return true;
    }
    TRect r = BarRect(bar);
    const TWinControl* parent = FControl.Parent();
    TPoint origin = Point(FControl.Left(), FControl.Top());
    TPoint screen = FControl.ParentForm() != nullptr && parent != nullptr
                        ? parent->ClientToScreen(origin)
                        : origin;
    info.rcScrollBar = OffsetRect(r, screen.X, screen.Y);
    TScrollBarGeometry geometry = Geometry(bar);
    info.dxyLineButton = geometry.ArrowSize();
    if (!geometry.Available()) {
        // Nothing to scroll: the platform shows the bar disabled.
        info.rgstate[0] = STATE_SYSTEM_UNAVAILABLE;
        return true;
    }
    info.xyThumbTop = geometry.ThumbStart();
    info.xyThumbBottom = geometry.ThumbEnd();
    return true;
}

int TNativeScrollBars::TrackPosition(int bar, int position) const {
    // While its own thumb is dragged the control knows the whole position,
    // as a program reads it from the track position; a request from
    // outside carries only the 16 bits of the message.
    return FDragBar == bar ? FDragPos : position;
}

bool TNativeScrollBars::MouseDown(const TPoint& p) {
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (!Shown(bar) || !PtInRect(BarRect(bar), p))
            continue;
        TScrollBarGeometry geometry = Geometry(bar);
        if (!geometry.Available())
            return true;
        TRect r = BarRect(bar);
        int at = bar == SB_VERT ? p.Y - r.Top : p.X - r.Left;
        uint32_t msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
        int code = SB_ENDSCROLL;
        switch (geometry.PartAt(at)) {
        case TScrollBarPart::spLineUp:
            code = SB_LINEUP;
            break;
        case TScrollBarPart::spLineDown:
            code = SB_LINEDOWN;
            break;
        case TScrollBarPart::spPageUp:
            code = SB_PAGEUP;
            break;
        case TScrollBarPart::spPageDown:
            code = SB_PAGEDOWN;
            break;
        case TScrollBarPart::spThumb:
            // The thumb: follow the pointer until the button is released.
            FDragBar = bar;
            FDragGrab = at - geometry.ThumbStart();
            Application().SetCaptureControl(&FControl);
            return true;
        case TScrollBarPart::spNone:
            break;
        }
        if (code != SB_ENDSCROLL)
            FControl.Perform(msg, static_cast<uintptr_t>(code));
        return true;
    }
    return false;
}

bool TNativeScrollBars::MouseMove(const TPoint& p) {
    if (FDragBar < 0)
        return false;
    TRect r = BarRect(FDragBar);
    int at = FDragBar == SB_VERT ? p.Y - r.Top : p.X - r.Left;
    FDragPos = Geometry(FDragBar).DragPosition(at, FDragGrab);
    FControl.Perform(FDragBar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                     MakeLParam(SB_THUMBTRACK, FDragPos) & 0xFFFFFFFF);
    return true;
}

void TNativeScrollBars::EndDrag(int position) {
    if (FDragBar < 0)
        return;
    int bar = FDragBar;
    FDragPos = position;
    FControl.Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                     MakeLParam(SB_THUMBPOSITION, FDragPos) & 0xFFFFFFFF);
    FDragBar = -1;
    FControl.Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, SB_ENDSCROLL);
    if (Application().CaptureControl() == &FControl)
        Application().SetCaptureControl(nullptr);
}

void TNativeScrollBars::Paint(TCanvas& canvas) {
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (!Shown(bar))
            continue;
        TRect br = BarRect(bar);
        TScrollBarInfo info;
        GetScrollBarInfo(bar, info);
        bool vertical = bar == SB_VERT;
        bool unavailable = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
        // The track: a dither of face and highlight, drawn as a light fill.
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(cl3DLight);
        canvas.FillRect(br);
        int arrows = info.dxyLineButton;
        TRect first = vertical ? Rect(br.Left, br.Top, br.Right, br.Top + arrows)
                               : Rect(br.Left, br.Top, br.Left + arrows, br.Bottom);
        TRect second = vertical ? Rect(br.Left, br.Bottom - arrows, br.Right, br.Bottom)
                                : Rect(br.Right - arrows, br.Top, br.Right, br.Bottom);
        for (int i = 0; i < 2; ++i) {
            TRect b = i == 0 ? first : second;
            canvas.Brush().SetColor(clBtnFace);
            canvas.FillRect(b);
            TRect e = b;
            Frame3D(canvas, e, clBtnHighlight, cl3DDkShadow, 1);
            // The arrow: a small triangle.
            TColor arrow = unavailable ? clGrayText : clBtnText;
            int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
            for (int k = 0; k < 4; ++k)
                for (int t = -k; t <= k; ++t) {
                    int along = (i == 0 ? -2 : 1) + (i == 0 ? k : -k);
                    if (vertical)
                        canvas.SetPixel(cx + t, cy + along, arrow);
                    else
                        canvas.SetPixel(cx + along, cy + t, arrow);
                }
        }
        if (!unavailable && info.xyThumbBottom > info.xyThumbTop) {
            TRect thumb = vertical ? Rect(br.Left, br.Top + info.xyThumbTop, br.Right,
                                          br.Top + info.xyThumbBottom)
                                   : Rect(br.Left + info.xyThumbTop, br.Top,
                                          br.Left + info.xyThumbBottom, br.Bottom);
            canvas.Brush().SetColor(clBtnFace);
            canvas.FillRect(thumb);
            Frame3D(canvas, thumb, clBtnHighlight, cl3DDkShadow, 1);
        }
    }
    if (Shown(SB_VERT) && Shown(SB_HORZ)) {
        // The corner between the two bars.
        TRect v = BarRect(SB_VERT), h = BarRect(SB_HORZ);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(Rect(v.Left, h.Top, v.Right, h.Bottom));
    }
}
