#include "controls/SUIButton.h"

#include "controls/SUIOffscreen.h"
#include "controls/SUIPaint.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Accelerator.h"
#include "framework/ui/PageControl.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <algorithm>

const TEnumInfo TCheckBoxStateInfo("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});

namespace {

// Frames of the look's check and radio mark strips.
constexpr int kMarkFrames = 4;

} // namespace

// --- TsuiCheckBox ---

SSI_DEFINE_CLASS(TsuiCheckBox, TCustomControl)

void TsuiCheckBox::DeclarePublished(TPropertyBuilder& p) {
    // Visible, Enabled, TabOrder and TabStop keep the control's slots.
    using C = TsuiCheckBox;
    p.Enum("UIStyle", TsuiUIStyleInfo(), &C::UIStyle, &C::SetUIStyle)
        .Component("FileTheme", &C::FileTheme, &C::SetFileTheme)
        .Inherited("PopupMenu")
        .Inherited("ParentFont")
        .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize)
        .Boolean("Checked", &C::Checked, &C::SetChecked)
        .Inherited("Caption")
        .Inherited("Font")
        .Inherited("Color")
        .Stored(&C::ColorStored)
        .Inherited("TabStop")
        .Default(1)
        .Inherited("ParentColor")
        .Default(1)
        .Enum("State", TCheckBoxStateInfo, &C::State, &C::SetState)
        .Default(0)
        .Boolean("Transparent", &C::Transparent, &C::SetTransparent)
        .Event("OnClick", &C::OnClick, &C::SetOnClick)
        .Inherited("OnDblClick")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseUp")
        .Inherited("OnKeyDown")
        .Inherited("OnKeyUp")
        .Inherited("OnKeyPress")
        .Inherited("OnEnter")
        .Inherited("OnExit");
}

TsuiCheckBox::TsuiCheckBox(TComponent* owner)
    : TCustomControl(owner), FStyle(*this, [this] {
          FMarkStripLoaded = false;
          Invalidate();
      }) {
    SetControlStyle(ControlStyle() & ~(csDoubleClicks | csAcceptsControls));
    SetBounds(0, 0, 93, 17);
    SetTabStop(true);
    SetParentColor(true);
    FStyle.StartWithFormStyle();
}

void TsuiCheckBox::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    FStyle.Notification(component, operation);
}

bool TsuiCheckBox::Loading() const {
    return HasState(csLoading) || (Owner() != nullptr && Owner()->HasState(csLoading));
}

void TsuiCheckBox::FireCheckClick() {
    if (!Loading())
        FOnCheckClick(this);
}

void TsuiCheckBox::SetAutoSize(bool value) {
    FAutoSize = value;
    Invalidate();
}

void TsuiCheckBox::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TsuiCheckBox::SetEnabled(bool value) {
    TCustomControl::SetEnabled(value);
    Invalidate();
}

void TsuiCheckBox::SetChecked(bool value) {
    if (FChecked == value)
        return;
    FChecked = value;
    Invalidate();
    CheckedChanged();
}

TCheckBoxState TsuiCheckBox::State() const {
    return FChecked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
}

void TsuiCheckBox::SetState(TCheckBoxState value) {
    SetChecked(value == TCheckBoxState::cbChecked);
}

bool TsuiCheckBox::NeedFocusRect() {
    return TabStop() && Focused();
}

void TsuiCheckBox::CheckedChanged() {
    FireCheckClick();
}

void TsuiCheckBox::Toggle() {
    BeforeToggle();
    SetChecked(!FChecked);
}

void TsuiCheckBox::Click() {
    TComponentTracker alive(this);
    Toggle();
    if (alive.Exists())
        TCustomControl::Click();
}

void TsuiCheckBox::LoadMark(TBitmap& mark) {
    // Frames: checked, unchecked, checked and disabled, unchecked and
    // disabled.
    const bool enabled = IsEnabledInParents();
    const int frame = FChecked ? (enabled ? 1 : 3) : (enabled ? 2 : 4);
    if (!FMarkStripLoaded) {
        FMarkStrip.Clear();
        FStyle.GetBitmap(MarkThemeItem(), FMarkStrip);
        FMarkStripLoaded = true;
    }
    CutFrame(FMarkStrip, mark, kMarkFrames, frame);
    mark.SetTransparent(MarkTransparent());
}

void TsuiCheckBox::AdjustSize() {
    if (!FAutoSize)
        return;
    TBitmap mark;
    LoadMark(mark);
    ApplyAutoSize(mark);
}

void TsuiCheckBox::ApplyAutoSize(const TBitmap& mark) {
    if (!FAutoSize)
        return;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(FontRef());
    const int height = std::max(c.TextHeight("W") + 2, mark.Height()) + 4;
    const int width = mark.Width() + c.TextWidth(Caption()) + 8;
    SetBounds(Left(), Top(), width, height);
}

void TsuiCheckBox::Paint() {
    TBitmap mark;
    LoadMark(mark);
    ApplyAutoSize(mark);

    TsuiOffscreen buffer(Canvas(), ClientRect());
    if (buffer.Empty())
        return;
    TCanvas& c = buffer.Canvas();
    c.Font().Assign(FontRef());
    const int w = Width(), h = Height();
    if (!FTransparent)
        FillSolid(c, Rect(0, 0, w, h), Color());
    else
        DrawSeeThrough(c, this, dynamic_cast<TTabSheet*>(Parent()) != nullptr);
    c.Draw(1, (ClientHeight() - mark.Height()) / 2, mark);

    c.Brush().SetStyle(TBrushStyle::bsClear);
    const int lineHeight = c.TextHeight("W");
    const int x0 = mark.Width() + 4;
    const int y0 = (ClientHeight() - lineHeight) / 2;
    TRect text = Rect(x0, y0, w, h);
    DrawText(c, Caption(), text, DT_SINGLELINE);
    if (NeedFocusRect()) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.DrawFocusRect(Rect(x0 - 1, y0, w, y0 + lineHeight + 2));
    }
    buffer.CopyToTarget();
}

void TsuiCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TComponentTracker alive(this);
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive.Exists() || button != TMouseButton::mbLeft)
        return;
    if (CanFocus() && Enabled() && Visible()) {
        try {
            SetFocus();
        } catch (const std::exception&) {
        }
    }
}

void TsuiCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_KEYUP: {
        int key = static_cast<int>(m.WParam);
        TComponentTracker alive(this);
        TCustomControl::WndProc(m);
        if (alive.Exists() && (key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled() &&
            KeyUpClicks()) {
            Invalidate();
            Click();
        }
        return;
    }
    case CM_DIALOGCHAR:
        TCustomControl::WndProc(m);
        if (IsAccel(static_cast<int>(m.WParam), Caption()) && Enabled()) {
            if (CanFocus()) {
                try {
                    SetFocus();
                } catch (const std::exception&) {
                }
            }
            Click();
            m.Result = 1;
        } else {
            m.Result = 0;
        }
        return;
    case CM_FOCUSCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// --- TsuiRadioButton ---

SSI_DEFINE_CLASS(TsuiRadioButton, TsuiCheckBox)

void TsuiRadioButton::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("GroupIndex", &TsuiRadioButton::GroupIndex, &TsuiRadioButton::SetGroupIndex)
        .Default(0);
}

TsuiRadioButton::TsuiRadioButton(TComponent* owner) : TsuiCheckBox(owner) {
    // Radio buttons see double clicks as such (OnDblClick).
    SetControlStyle(ControlStyle() | csDoubleClicks);
}

void TsuiRadioButton::CheckedChanged() {
    if (!Checked())
        return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* other = dynamic_cast<TsuiRadioButton*>(parent->Controls(i));
            if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex)
                other->SetChecked(false);
        }
    }
    FireCheckClick();
}

void TsuiRadioButton::Toggle() {
    if (!Checked())
        SetChecked(true);
}

void TsuiRadioButton::WndProc(TMessage& m) {
    if (m.Msg != WM_SETFOCUS) {
        TsuiCheckBox::WndProc(m);
        return;
    }
    TsuiCheckBox::WndProc(m);
    // The focus came from another item of a radio group (the arrow keys
    // move it among the items): the newly focused item is the choice.
    TWinControl* previous = TWinControl::FindControl(static_cast<HWND>(m.WParam));
    if (previous != nullptr && previous != this && previous->ClassName() == "TsuiRadioGroupButton")
        Click();
}
