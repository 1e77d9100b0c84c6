#include "framework/ui/Button.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Accelerator.h"
#include "framework/ui/Forms.h"

SSI_DEFINE_CLASS(TButton, TCustomControl)

void TButton::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("TabStop").Default(1);
    p.Inherited("BorderWidth")
        .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Default(0)
        .Inherited("Caption")
        .Boolean("Default", &TButton::Default, &TButton::SetDefault)
        .Default(0)
        .Inherited("Font")
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Default(0)
        .Inherited("ParentFont")
        .Inherited("OnClick");
}

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    // Every press is a click: a quick second press is no double click.
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    if (FDefault == value)
        return;
    FDefault = value;
    Invalidate();
}

void TButton::Click() {
    if (TCustomForm* form = ParentForm())
        if (FModalResult != 0)
            form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        FPressed = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && shift == 0) {
        key = 0;
        Click();
    }
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONUP:
    case CM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (FPressed) {
            FPressed = false;
            Invalidate();
        }
        break;
    case CM_DIALOGKEY: {
        int key = static_cast<int>(m.WParam);
        bool plain = (static_cast<TShiftState>(m.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
        if (plain && ((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) &&
            CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<int>(m.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Click();
            m.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED: {
        // Enter clicks the focused button, or the default one when the
        // focus is on something that is not a button.
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        bool wasActive = FActive;
        if (dynamic_cast<TButton*>(focused) != nullptr)
            FActive = focused == this;
        else
            FActive = FDefault;
        if (wasActive != FActive)
            Invalidate();
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TButton::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    if (FActive) {
        c.Brush().SetColor(cl3DDkShadow);
        c.FrameRect(r);
        r = InflateRect(r, -1, -1);
    }
    TColor light = FPressed ? clBtnShadow : clBtnHighlight;
    TColor dark = FPressed ? clBtnShadow : cl3DDkShadow;
    c.Brush().SetColor(light);
    c.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
    c.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
    c.Brush().SetColor(dark);
    c.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    c.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    if (!FPressed) {
        c.Brush().SetColor(clBtnShadow);
        c.FillRect(Rect(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1));
        c.FillRect(Rect(r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
    TRect text = r;
    if (FPressed)
        text = OffsetRect(text, 1, 1);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().SetColor(IsEnabledInParents() ? clBtnText : clGrayText);
    DrawText(c, Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused())
        c.DrawFocusRect(InflateRect(r, -4, -4));
}
