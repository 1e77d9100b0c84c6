#include "framework/ui/Controls.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "framework/ui/WinControl.h"

#include <algorithm>

const TEnumInfo TAlignInfo("TAlign",
                           {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
const TEnumInfo TAlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

TShiftState ShiftStateFromMk(uintptr_t mk) {
    TShiftState s = 0;
    if (mk & MK_SHIFT)
        s |= ssShift;
    if (mk & MK_CONTROL)
        s |= ssCtrl;
    if (mk & MK_LBUTTON)
        s |= ssLeft;
    if (mk & MK_RBUTTON)
        s |= ssRight;
    if (mk & MK_MBUTTON)
        s |= ssMiddle;
    return s;
}

uintptr_t MkFromShiftState(TShiftState shift) {
    uintptr_t mk = 0;
    if (shift & ssShift)
        mk |= MK_SHIFT;
    if (shift & ssCtrl)
        mk |= MK_CONTROL;
    if (shift & ssLeft)
        mk |= MK_LBUTTON;
    if (shift & ssRight)
        mk |= MK_RBUTTON;
    if (shift & ssMiddle)
        mk |= MK_MBUTTON;
    return mk;
}

SSI_DEFINE_CLASS(TControl, TComponent)

void TControl::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", TAlignInfo, &TControl::Align, &TControl::SetAlign)
        .Default(0)
        .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, kCursorIdents)
        .Default(crDefault)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Default(1)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
        .Default(1);
    // Bound once here; each descendant publishes those it shows.
    p.Protected()
        .String("Caption", &TControl::Caption, &TControl::SetCaption)
        .Color("Color", &TControl::Color, &TControl::SetColor)
        .Default(clBtnFace)
        .Object("Font", &TControl::Font, &TControl::SetFont)
        .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Default(0)
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Default(1)
        .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Event("OnClick", &TControl::OnClick, &TControl::SetOnClick)
        .Event("OnDblClick", &TControl::OnDblClick, &TControl::SetOnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown, &TControl::SetOnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove, &TControl::SetOnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp, &TControl::SetOnMouseUp)
        .Event("OnResize", &TControl::OnResize, &TControl::SetOnResize);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    FFont.OnChange = [this](TFont&) { FontChanged(); };
}

TControl::~TControl() {
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    if (ApplicationExists())
        Application().ControlDestroyed(this);
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (ApplicationExists()) {
        // The pointer must not point into a control that is going away.
        if (Application().CaptureControl() == this)
            Application().SetCaptureControl(nullptr);
    }
    if (FParent != nullptr)
        SetParent(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    bool moved = left != FLeft || top != FTop;
    bool resized = width != FWidth || height != FHeight;
    if (!moved && !resized)
        return;
    if (FParent != nullptr && FVisible)
        Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FParent != nullptr && FVisible)
        Invalidate();
    BoundsChanged(moved, resized);
    if (FAlign != TAlign::alNone)
        RequestAlign();
}

void TControl::BoundsChanged(bool /*moved*/, bool resized) {
    if (resized)
        Resize();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int value) {
    SetWidth(value + (FWidth - ClientWidth()));
}

void TControl::SetClientHeight(int value) {
    SetHeight(value + (FHeight - ClientHeight()));
}

TPoint TControl::ClientToForm(const TPoint& p) const {
    TCustomForm* form = ParentForm();
    if (form == nullptr || form == this)
        return p;
    return form->ScreenToClient(ClientToScreen(p));
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    TPoint r = p;
    const TControl* c = this;
    for (;;) {
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            TPoint off = w->ClientOffset();
            r.X += off.X;
            r.Y += off.Y;
        }
        r.X += c->FLeft;
        r.Y += c->FTop;
        if (c->FParent == nullptr)
            break;
        c = c->FParent;
    }
    return r;
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    TPoint origin = ClientToScreen(Point(0, 0));
    return Point(p.X - origin.X, p.Y - origin.Y);
}

TRect TControl::WindowRectInForm() const {
    // The control's bounds in its form's window coordinates, cut down to
    // what its parents' client areas let show.
    if (FParent == nullptr)
        return Rect(0, 0, FWidth, FHeight);
    TPoint origin = FParent->ClientToScreen(Point(FLeft, FTop));
    TCustomForm* form = ParentForm();
    TPoint formOrigin = form != nullptr ? Point(form->Left(), form->Top()) : Point(0, 0);
    TRect r = Bounds(origin.X - formOrigin.X, origin.Y - formOrigin.Y, FWidth, FHeight);
    for (const TWinControl* p = FParent; p != nullptr; p = p->FParent) {
        TPoint o = p->ClientToScreen(Point(0, 0));
        TRect client =
            Bounds(o.X - formOrigin.X, o.Y - formOrigin.Y, p->ClientWidth(), p->ClientHeight());
        IntersectRect(r, r, client);
    }
    return r;
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value)
        return;
    FAlign = value;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (FParent != nullptr)
        FParent->Realign();
}

void TControl::SetVisible(bool value) {
    if (FVisible == value)
        return;
    if (FVisible)
        Invalidate();
    FVisible = value;
    if (FVisible)
        Invalidate();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

bool TControl::IsShowing() const {
    const TControl* c = this;
    while (c != nullptr) {
        if (!c->FVisible)
            return false;
        if (c->FParent == nullptr) {
            auto* form = dynamic_cast<const TCustomForm*>(c);
            return form != nullptr && form->ScreenWindow() != 0;
        }
        c = c->FParent;
    }
    return false;
}

void TControl::SetEnabled(bool value) {
    if (FEnabled == value)
        return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsEnabledInParents() const {
    for (const TControl* c = this; c != nullptr; c = c->FParent)
        if (!c->FEnabled)
            return false;
    return true;
}

void TControl::SetColor(TColor value) {
    if (FColor == value && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (FParentColor == value)
        return;
    FParentColor = value;
    if (value && FParent != nullptr)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (FParentFont == value)
        return;
    FParentFont = value;
    if (value && FParent != nullptr)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
    if (!FSettingParentFont)
        FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (FCursor == value)
        return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetCaption(const std::string& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    Perform(CM_TEXTCHANGED);
    TextChanged();
}

void TControl::SetParent(TWinControl* parent) {
    if (FParent == parent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent != nullptr) {
        Invalidate();
        FParent->RemoveControl(this);
    }
    if (parent != nullptr) {
        parent->InsertControl(this);
        if (FParentColor)
            Perform(CM_PARENTCOLORCHANGED);
        if (FParentFont)
            Perform(CM_PARENTFONTCHANGED);
        Invalidate();
    }
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (FPopupMenu == value)
        return;
    if (FPopupMenu != nullptr)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
}

TCustomForm* TControl::ParentForm() const {
    return GetParentForm(this);
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c != nullptr && c->Parent() != nullptr)
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::Invalidate() {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !FVisible)
        return;
    if (form == this) {
        form->InvalidateWindowRect(Rect(0, 0, FWidth, FHeight));
        return;
    }
    form->InvalidateWindowRect(WindowRectInForm());
}

void TControl::Update() {
    TCustomForm* form = ParentForm();
    if (form != nullptr)
        form->PaintNow();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (FParent == nullptr)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (FParent == nullptr)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::Click() {
    FOnClick(this);
}

void TControl::DblClick() {
    FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FOnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    FOnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    FOnMouseMove(this, shift, x, y);
}

void TControl::Resize() {
    FOnResize(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent))
        SetParent(w);
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
        int x = LoSmallInt(m.LParam);
        int y = HiSmallInt(m.LParam);
        TShiftState shift = ShiftStateFromMk(m.WParam);
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
            if (FControlStyle & csCaptureMouse)
                Application().SetCaptureControl(this);
            bool dbl = m.Msg == WM_LBUTTONDBLCLK;
            if (!dbl && (FControlStyle & csClickEvents))
                FControlState |= csClicked;
            FControlState |= csLButtonDown;
            if (dbl && (FControlStyle & csClickEvents))
                DblClick();
            MouseDown(TMouseButton::mbLeft, shift | (dbl ? ssDouble : 0), x, y);
        } else if (m.Msg == WM_LBUTTONUP) {
            bool clicked = (FControlState & csClicked) != 0;
            FControlState &= ~(csClicked | csLButtonDown);
            if (Application().CaptureControl() == this)
                Application().SetCaptureControl(nullptr);
            if (clicked && PtInRect(ClientRect(), Point(x, y)))
                Click();
            MouseUp(TMouseButton::mbLeft, shift, x, y);
        } else if (m.Msg == WM_RBUTTONDOWN) {
            MouseDown(TMouseButton::mbRight, shift, x, y);
        } else if (m.Msg == WM_RBUTTONUP) {
            TComponentTracker alive(this);
            MouseUp(TMouseButton::mbRight, shift, x, y);
            // The context menu comes after the release, at the pointer;
            // the nearest parent with a menu offers it otherwise.
            TControl* owner = alive.Exists() ? this : nullptr;
            while (owner != nullptr && owner->FPopupMenu == nullptr)
                owner = owner->FParent;
            if (owner != nullptr) {
                TPoint p = ClientToScreen(Point(x, y));
                owner->FPopupMenu->SetPopupComponent(owner);
                owner->FPopupMenu->Popup(p.X, p.Y);
            }
        } else {
            MouseMove(shift, x, y);
        }
        return;
    }
    case CM_MOUSEENTER:
        FOnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        FOnMouseLeave(this);
        return;
    case CM_CANCELMODE:
        FControlState &= ~(csClicked | csLButtonDown);
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor && FParent != nullptr) {
            SetColor(FParent->Color());
            FParentColor = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont && FParent != nullptr) {
            FSettingParentFont = true;
            FFont.Assign(FParent->FontRef());
            FSettingParentFont = false;
        }
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        return;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        return;
    case WM_SETTEXT:
        SetCaption(m.LParam != 0 ? std::string(reinterpret_cast<const char*>(m.LParam)) : "");
        m.Result = 1;
        return;
    default:
        break;
    }
    TMessageHandler::WndProc(m);
}
