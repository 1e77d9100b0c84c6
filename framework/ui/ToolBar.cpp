#include "framework/ui/ToolBar.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Accelerator.h"
#include "framework/ui/Application.h"
#include "framework/ui/MenuTracker.h"
#include "framework/ui/Panel.h"

#include <algorithm>

const TEnumInfo TEdgeBorderInfo("TEdgeBorder", {"ebLeft", "ebTop", "ebRight", "ebBottom"});
const TEnumInfo TToolButtonStyleInfo("TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown",
                                                          "tbsSeparator", "tbsDivider"});

namespace {
constexpr int kEdge = 2; // an etched edge border
constexpr int kSeparatorWidth = 8;
} // namespace

// --- TToolButton ---

SSI_DEFINE_CLASS(TToolButton, TGraphicControl)

void TToolButton::DeclarePublished(TPropertyBuilder& p) {
    p.Boolean("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize)
        .Default(0)
        .Inherited("Caption")
        .Boolean("Down", &TToolButton::Down, &TToolButton::SetDown)
        .Default(0)
        .Boolean("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
        .Default(0)
        .Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .Default(-1)
        .Component("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
        .Enum("Style", TToolButtonStyleInfo, &TToolButton::Style, &TToolButton::SetStyle)
        .Default(0)
        .Inherited("OnClick");
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    SetControlStyle((ControlStyle() | csCaptureMouse) & ~csDoubleClicks);
}

TToolButton::~TToolButton() {
    SetMenuItem(nullptr);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParent(TWinControl* parent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old != nullptr && !old->HasState(csDestroying))
        old->ArrangeButtons();
    Changed();
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
    Invalidate();
}

void TToolButton::SetAutoSize(bool value) {
    if (FAutoSize == value)
        return;
    FAutoSize = value;
    Changed();
}

void TToolButton::SetDown(bool value) {
    if (FDown == value)
        return;
    FDown = value;
    Invalidate();
}

void TToolButton::SetImageIndex(int value) {
    if (FImageIndex == value)
        return;
    FImageIndex = value;
    Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TToolButton::SetMenuItem(TMenuItem* value) {
    if (FMenuItem == value)
        return;
    if (FMenuItem != nullptr)
        FMenuItem->RemoveFreeNotification(this);
    FMenuItem = value;
    if (value != nullptr) {
        value->FreeNotification(this);
        SetCaption(value->Caption());
        SetEnabled(value->Enabled());
        SetImageIndex(value->ImageIndex());
    }
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FMenuItem)
        FMenuItem = nullptr;
}

TCustomDrawState TToolButton::DrawState() const {
    TCustomDrawState state = 0;
    if (FHot)
        state |= cdsHot;
    if (FPressed || FDown)
        state |= cdsSelected;
    if (!IsEnabledInParents())
        state |= cdsDisabled;
    if (FDown && FStyle == TToolButtonStyle::tbsCheck)
        state |= cdsChecked;
    return state;
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    if (FMenuItem != nullptr && FMenuItem->Count() > 0) {
        // A menu-bar button: the drop-down opens at once.
        SetControlState(ControlState() & ~(csClicked | csLButtonDown));
        if (Application().CaptureControl() == this)
            Application().SetCaptureControl(nullptr);
        DropDownMenu();
        return;
    }
    FPressed = true;
    Invalidate();
}

void TToolButton::DropDownMenu() {
    TComponentTracker alive(this);
    FPressed = true;
    Repaint();
    TPoint p = ClientToScreen(Point(0, Height()));
    TMenuItem* item = FMenuItem;
    try {
        TrackMenu(item, p.X, p.Y, true);
    } catch (...) {
        if (alive.Exists()) {
            FPressed = false;
            FHot = false;
            Invalidate();
        }
        throw;
    }
    if (alive.Exists()) {
        FPressed = false;
        FHot = false;
        Invalidate();
    }
}

void TToolButton::Click() {
    if (FStyle == TToolButtonStyle::tbsCheck)
        SetDown(!FDown);
    if (FMenuItem != nullptr && FMenuItem->Count() == 0)
        FMenuItem->Click();
    TGraphicControl::Click();
}

namespace {
// The context bit of a character's key data: Alt was held.
constexpr intptr_t kKeyDataAltHeld = intptr_t(1) << 29;
} // namespace

void TToolButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        // Alt with the underlined letter of a menu-bar button opens its
        // drop-down, as a click does.
        if ((m.LParam & kKeyDataAltHeld) != 0 && FMenuItem != nullptr &&
            FMenuItem->Count() > 0 && Visible() && Enabled() &&
            IsAccel(static_cast<int>(m.WParam), FMenuItem->Caption())) {
            m.Result = 1;
            DropDownMenu();
        }
        return;
    case CM_MOUSEENTER:
        if (IsEnabledInParents()) {
            FHot = true;
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        FHot = false;
        Invalidate();
        break;
    case WM_LBUTTONUP:
    case CM_CANCELMODE:
        if (FPressed) {
            FPressed = false;
            Invalidate();
        }
        break;
    case CM_TEXTCHANGED:
        TGraphicControl::WndProc(m);
        Changed();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TToolButton::Paint() {
    if (TToolBar* bar = ToolBar())
        bar->PaintButton(this, Canvas());
}

// --- TToolBar ---

SSI_DEFINE_CLASS(TToolBar, TCustomControl)

void TToolBar::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("BorderWidth")
        .Boolean("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize)
        .Default(0)
        .Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
        .Default(22)
        .Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
        .Default(23)
        .Inherited("Color")
        .SetOf("EdgeBorders", TEdgeBorderInfo, &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders)
        .Default(TEdgeBorders{TEdgeBorder::ebTop}.Mask())
        .Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
        .Default(0)
        .Inherited("Font")
        .Inherited("ParentColor")
        .Inherited("ParentFont")
        .Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
        .Default(0)
        .Boolean("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable)
        .Default(1)
        .Event("OnCustomDraw", &TToolBar::OnCustomDraw, &TToolBar::SetOnCustomDraw)
        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton,
               &TToolBar::SetOnCustomDrawButton);
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 150, 29);
    SetAlign(TAlign::alTop);
}

void TToolBar::SetAutoSize(bool value) {
    if (FAutoSize == value)
        return;
    FAutoSize = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    value = std::max(value, 1);
    if (FButtonHeight == value)
        return;
    FButtonHeight = value;
    ArrangeButtons();
}

void TToolBar::SetButtonWidth(int value) {
    value = std::max(value, 1);
    if (FButtonWidth == value)
        return;
    FButtonWidth = value;
    ArrangeButtons();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    if (FEdgeBorders == value)
        return;
    FEdgeBorders = value;
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetFlat(bool value) {
    if (FFlat == value)
        return;
    FFlat = value;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
    if (FShowCaptions == value)
        return;
    FShowCaptions = value;
    ArrangeButtons();
    Invalidate();
}

void TToolBar::SetWrapable(bool value) {
    if (FWrapable == value)
        return;
    FWrapable = value;
    ArrangeButtons();
}

void TToolBar::SetOnCustomDrawButton(const TToolBarCustomDrawButtonEvent& e) {
    FOnCustomDrawButton = e;
    Invalidate();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i)) != nullptr)
            ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)))
            if (n++ == index)
                return b;
    throw EListError(Format("List index out of bounds (%d)", index));
}

int TToolBar::ButtonWidthFor(TToolButton* button) {
    if (button->Style() == TToolButtonStyle::tbsSeparator ||
        button->Style() == TToolButtonStyle::tbsDivider)
        return kSeparatorWidth;
    if (!button->AutoSize() || !FShowCaptions)
        return FButtonWidth;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(FontRef());
    TRect r{};
    DrawText(c, button->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + 14;
}

void TToolBar::ArrangeButtons() {
    if (FArranging || HasState(csLoading) || HasState(csDestroying))
        return;
    FArranging = true;
    int left = FEdgeBorders.Contains(TEdgeBorder::ebLeft) ? kEdge : 0;
    int top = FEdgeBorders.Contains(TEdgeBorder::ebTop) ? kEdge : 0;
    int right = ClientWidth() - (FEdgeBorders.Contains(TEdgeBorder::ebRight) ? kEdge : 0);
    int x = left, y = top;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* b = dynamic_cast<TToolButton*>(Controls(i));
        if (b == nullptr || !b->Visible())
            continue;
        int w = ButtonWidthFor(b);
        if (FWrapable && x > left && x + w > right) {
            x = left;
            y += FButtonHeight;
        }
        b->SetBounds(x, y, w, FButtonHeight);
        x += w;
    }
    if (FAutoSize) {
        int bottom = y + FButtonHeight + (FEdgeBorders.Contains(TEdgeBorder::ebBottom) ? kEdge : 0);
        if (ButtonCount() == 0)
            bottom = top + FButtonHeight;
        SetHeight(bottom + (Height() - ClientHeight()));
    }
    FArranging = false;
    Invalidate();
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_CONTROLLISTCHANGE:
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        ArrangeButtons();
        return;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        ArrangeButtons();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TToolBar::Loaded() {
    TCustomControl::Loaded();
    ArrangeButtons();
}

void TToolBar::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    bool defaultDraw = true;
    FOnCustomDraw(this, r, defaultDraw);
    if (!defaultDraw)
        return;
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(r);
    if (FEdgeBorders.Contains(TEdgeBorder::ebTop)) {
        c.Brush().SetColor(clBtnShadow);
        c.FillRect(Rect(0, 0, r.Right, 1));
        c.Brush().SetColor(clBtnHighlight);
        c.FillRect(Rect(0, 1, r.Right, 2));
    }
}

void TToolBar::PaintButton(TToolButton* button, TCanvas& buttonCanvas) {
    // Handlers paint on the bar's canvas in bar coordinates, the button
    // being at its BoundsRect.
    TCanvas shifted;
    MirrorCanvas(shifted, buttonCanvas);
    shifted.MoveOrigin(-button->Left(), -button->Top());
    BeginCanvasPaint(shifted);
    try {
        bool defaultDraw = true;
        FOnCustomDrawButton(this, button, button->DrawState(), defaultDraw);
        if (defaultDraw)
            DefaultDrawButton(button, Canvas(), button->BoundsRect());
    } catch (...) {
        EndCanvasPaint();
        throw;
    }
    EndCanvasPaint();
}

void TToolBar::DefaultDrawButton(TToolButton* button, TCanvas& c, const TRect& rect) {
    TCustomDrawState state = button->DrawState();
    TRect r = rect;
    if (button->Style() == TToolButtonStyle::tbsSeparator ||
        button->Style() == TToolButtonStyle::tbsDivider) {
        int x = r.Left + r.Width() / 2 - 1;
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(clBtnShadow);
        c.FillRect(Rect(x, r.Top + 2, x + 1, r.Bottom - 2));
        c.Brush().SetColor(clBtnHighlight);
        c.FillRect(Rect(x + 1, r.Top + 2, x + 2, r.Bottom - 2));
        return;
    }
    bool pressed = (state & cdsSelected) != 0;
    bool hot = (state & cdsHot) != 0;
    if (pressed)
        Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    else if (hot || !FFlat)
        Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    if (FShowCaptions || button->ImageIndex() < 0) {
        TRect text = rect;
        if (pressed)
            text = OffsetRect(text, 1, 1);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.Font().Assign(FontRef());
        c.Font().SetColor((state & cdsDisabled) ? clGrayText : clBtnText);
        DrawText(c, button->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
