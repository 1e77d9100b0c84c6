#pragma once
// Controls that paint themselves on a canvas: TCustomControl (windowed) and
// TGraphicControl (windowless, painted by its parent). Override Paint and
// draw on Canvas() in client coordinates; the canvas is already translated
// and clipped. Outside painting, Canvas() draws into the form's surface at
// the control's place (shown at the next Update or present).

#include "framework/graphics/Canvas.h"
#include "framework/ui/WinControl.h"

class TCustomControl : public TWinControl {
    SSI_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas();

protected:
    virtual void Paint();
    void PaintWindow(TCanvas& canvas) override;
    // Points Canvas() at `source` until EndCanvasPaint (a tool bar lets its
    // custom-draw handlers paint a button on the bar's canvas).
    void BeginCanvasPaint(const TCanvas& source);
    void EndCanvasPaint() { --FPaintDepth; }

private:
    TCanvas FCanvas;
    int FPaintDepth = 0;
};

class TGraphicControl : public TControl {
    SSI_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas& Canvas();

protected:
    virtual void Paint();
    void WndProc(TMessage& message) override;

private:
    TCanvas FCanvas;
    int FPaintDepth = 0;
};

// Points `canvas` at the form surface under `control`'s client area (used
// for drawing outside WM_PAINT). False when the control has no form window.
bool PrepareControlCanvas(TControl* control, TCanvas& canvas);
// Copies `source`'s target, origin and clip into `canvas`.
void MirrorCanvas(TCanvas& canvas, const TCanvas& source);
