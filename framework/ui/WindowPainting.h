#pragma once
// Window painting: how a form's window gets its pixels. The controls of a
// form paint into the form's off-screen surface (window coordinates), each
// clipped to the dirty part and to what its parents show: first what lies
// outside its client area (WM_NCPAINT), then its background and client
// area. The changed part of the surface is then copied into the window's
// back buffer and presented. TWindowCanvas is the platform's window device
// context over that surface.

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Types.h"
#include "platform/window/WindowSystem.h"

class TBitmap;
class TCustomForm;
class TWinControl;

// Paints `control` and its windowed children into the form surface, each
// clipped to `dirty` (window coordinates) and to what its parents show.
void PaintControlTree(TCustomForm* form, TWinControl* control, const TRect& dirty);

// Copies `rect` of `surface` (TColor pixels, window coordinates) into the
// window's back buffer and presents it.
void PresentSurface(TWsWindow window, const TBitmap& surface, const TRect& rect);

// A canvas on a control's whole window (frame and non-client parts
// included; the origin at its top-left corner), the way the platform's
// window device context is. For a form that is the whole window; for a
// child control the part of the form's surface it covers. What is drawn is
// presented when the canvas goes away.
class TWindowCanvas {
public:
    explicit TWindowCanvas(TWinControl* control);
    ~TWindowCanvas();
    TWindowCanvas(const TWindowCanvas&) = delete;
    TWindowCanvas& operator=(const TWindowCanvas&) = delete;
    TCanvas& Canvas() { return FCanvas; }

private:
    TCustomForm* FForm;
    TRect FRect{};
    TCanvas FCanvas;
};
