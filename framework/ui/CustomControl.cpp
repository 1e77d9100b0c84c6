#include "framework/ui/CustomControl.h"

#include "framework/ui/Forms.h"
#include "framework/components/PropertyBuilder.h"

bool PrepareControlCanvas(TControl* control, TCanvas& canvas) {
    TCustomForm* form = control->ParentForm();
    if (form == nullptr || form->ScreenWindow() == 0)
        return false;
    TBitmap& surface = form->Surface();
    if (canvas.Target() != &surface)
        canvas.SetTarget(&surface);
    // Client origin in window coordinates, clipped to what the parents show.
    TPoint screen = control->ClientToScreen(Point(0, 0));
    TPoint origin = Point(screen.X - form->Left(), screen.Y - form->Top());
    TRect visible;
    if (control == form) {
        TPoint off = form->ClientOffset();
        visible = Bounds(off.X, off.Y, form->ClientWidth(), form->ClientHeight());
    } else {
        visible = Bounds(origin.X, origin.Y, control->ClientWidth(), control->ClientHeight());
        TRect inForm = visible;
        for (TWinControl* p = control->Parent(); p != nullptr; p = p->Parent()) {
            TPoint o = p->ClientToScreen(Point(0, 0));
            TRect client =
                Bounds(o.X - form->Left(), o.Y - form->Top(), p->ClientWidth(), p->ClientHeight());
            IntersectRect(inForm, inForm, client);
        }
        visible = inForm;
    }
    canvas.SetOrigin(Point(0, 0));
    canvas.ResetClip();
    canvas.SetClipRect(visible);
    canvas.SetOrigin(origin);
    return true;
}

void MirrorCanvas(TCanvas& canvas, const TCanvas& source) {
    if (canvas.Target() != source.Target())
        canvas.SetTarget(source.Target());
    canvas.SetOrigin(Point(0, 0));
    canvas.ResetClip();
    TPoint o = source.Origin();
    TRect clip = source.ClipRect();
    canvas.SetClipRect(OffsetRect(clip, o.X, o.Y));
    canvas.SetOrigin(o);
}

SSI_DEFINE_CLASS(TCustomControl, TWinControl)

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCanvas& TCustomControl::Canvas() {
    if (FPaintDepth == 0) {
        FCanvas.Font().Assign(FontRef());
        PrepareControlCanvas(this, FCanvas);
    }
    return FCanvas;
}

void TCustomControl::Paint() {}

void TCustomControl::BeginCanvasPaint(const TCanvas& source) {
    MirrorCanvas(FCanvas, source);
    FCanvas.Font().Assign(FontRef());
    ++FPaintDepth;
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    // Paint draws on the control's own canvas, pointed at the canvas of
    // this paint for the duration (its pen, brush and font stay its own).
    MirrorCanvas(FCanvas, canvas);
    FCanvas.Font().Assign(FontRef());
    ++FPaintDepth;
    try {
        Paint();
    } catch (...) {
        --FPaintDepth;
        throw;
    }
    --FPaintDepth;
}

SSI_DEFINE_CLASS(TGraphicControl, TControl)

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TCanvas& TGraphicControl::Canvas() {
    if (FPaintDepth == 0) {
        FCanvas.Font().Assign(FontRef());
        PrepareControlCanvas(this, FCanvas);
    }
    return FCanvas;
}

void TGraphicControl::Paint() {}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        if (m.WParam != 0) {
            MirrorCanvas(FCanvas, *reinterpret_cast<TCanvas*>(m.WParam));
        } else if (!PrepareControlCanvas(this, FCanvas)) {
            return;
        }
        FCanvas.Font().Assign(FontRef());
        ++FPaintDepth;
        SetControlState(ControlState() | csPainting);
        try {
            Paint();
        } catch (...) {
            --FPaintDepth;
            SetControlState(ControlState() & ~csPainting);
            throw;
        }
        --FPaintDepth;
        SetControlState(ControlState() & ~csPainting);
        return;
    }
    TControl::WndProc(m);
}
