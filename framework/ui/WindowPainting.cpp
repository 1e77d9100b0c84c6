#include "framework/ui/WindowPainting.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Forms.h"
#include "platform/backend/Backend.h"

#include <algorithm>

void PaintControlTree(TCustomForm* form, TWinControl* control, const TRect& dirty) {
    TCanvas client(&form->Surface());
    if (!PrepareControlCanvas(control, client))
        return;
    TPoint o = client.Origin();
    TRect clipDevice = OffsetRect(client.ClipRect(), o.X, o.Y);
    if (control != form) {
        // What lies outside the client area (border band, scroll bars)
        // belongs to the control: WM_NCPAINT with a canvas at its corner.
        TPoint off = control->ClientOffset();
        TPoint outer = Point(o.X - off.X, o.Y - off.Y);
        TRect bounds = Bounds(outer.X, outer.Y, control->Width(), control->Height());
        TRect visible = control->WindowRectInForm();
        TRect r;
        if (IntersectRect(r, bounds, visible) && IntersectRect(r, r, dirty)) {
            TCanvas frame(&form->Surface());
            frame.SetClipRect(r);
            frame.SetOrigin(outer);
            TComponentTracker alive(control);
            control->Perform(WM_NCPAINT, reinterpret_cast<uintptr_t>(&frame));
            if (!alive.Exists())
                return;
        }
    }
    TRect area;
    if (!IntersectRect(area, clipDevice, dirty))
        return;
    client.SetOrigin(Point(0, 0));
    client.SetClipRect(area);
    client.SetOrigin(o);
    TComponentTracker alive(control);
    control->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&client));
    if (!alive.Exists())
        return;
    control->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&client));
    if (!alive.Exists())
        return;
    for (TWinControl* child : control->WinControls())
        if (child->Visible())
            PaintControlTree(form, child, dirty);
}

void PresentSurface(TWsWindow window, const TBitmap& surface, const TRect& rect) {
    if (window == 0)
        return;
    TWsPixels pixels = WindowSystem().BackBuffer(window);
    TRect r;
    if (!IntersectRect(r, rect,
                       Rect(0, 0, std::min(pixels.Width, surface.Width()),
                            std::min(pixels.Height, surface.Height()))))
        return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const uint32_t* src = surface.ScanLine(y);
        uint32_t* dst = pixels.Row(y);
        for (int x = r.Left; x < r.Right; ++x) {
            uint32_t c = src[x];
            // TColor is 0x00BBGGRR, the window 0x00RRGGBB.
            dst[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    WindowSystem().Present(window, TWsRect{r.Left, r.Top, r.Right, r.Bottom});
}

TWindowCanvas::TWindowCanvas(TWinControl* control) : FForm(control->ParentForm()) {
    if (FForm == nullptr)
        return;
    FForm->HandleNeeded();
    FCanvas.SetTarget(&FForm->Surface());
    if (control == FForm) {
        FRect = Rect(0, 0, FForm->Width(), FForm->Height());
        return;
    }
    TPoint o = control->Parent()->ClientToScreen(Point(control->Left(), control->Top()));
    TPoint origin = Point(o.X - FForm->Left(), o.Y - FForm->Top());
    FRect = control->WindowRectInForm();
    FCanvas.SetClipRect(FRect);
    FCanvas.SetOrigin(origin);
}

TWindowCanvas::~TWindowCanvas() {
    if (FForm != nullptr)
        FForm->PresentRect(FRect);
}
