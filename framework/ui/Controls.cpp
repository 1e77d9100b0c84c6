#include "framework/ui/Controls.h"

#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/WinControl.h"

#include <algorithm>

const TEnumInfo TAlignInfo("TAlign",
                           {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
const TEnumInfo TAlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

namespace {
// Layouts store colours by name where one exists; the graphics layer knows
// no component model, so the names are registered here.
const bool colorIdents = [] {
    RegisterIntegerIdents(kColorIdents, {{"clBlack", clBlack},
                                         {"clMaroon", clMaroon},
                                         {"clGreen", clGreen},
                                         {"clOlive", clOlive},
                                         {"clNavy", clNavy},
                                         {"clPurple", clPurple},
                                         {"clTeal", clTeal},
                                         {"clGray", clGray},
                                         {"clSilver", clSilver},
                                         {"clRed", clRed},
                                         {"clLime", clLime},
                                         {"clYellow", clYellow},
                                         {"clBlue", clBlue},
                                         {"clFuchsia", clFuchsia},
                                         {"clAqua", clAqua},
                                         {"clWhite", clWhite},
                                         {"clNone", clNone},
                                         {"clDefault", clDefault},
                                         {"clScrollBar", clScrollBar},
                                         {"clBackground", clBackground},
                                         {"clActiveCaption", clActiveCaption},
                                         {"clInactiveCaption", clInactiveCaption},
                                         {"clMenu", clMenu},
                                         {"clWindow", clWindow},
                                         {"clWindowFrame", clWindowFrame},
                                         {"clMenuText", clMenuText},
                                         {"clWindowText", clWindowText},
                                         {"clCaptionText", clCaptionText},
                                         {"clActiveBorder", clActiveBorder},
                                         {"clInactiveBorder", clInactiveBorder},
                                         {"clAppWorkSpace", clAppWorkSpace},
                                         {"clHighlight", clHighlight},
                                         {"clHighlightText", clHighlightText},
                                         {"clBtnFace", clBtnFace},
                                         {"clBtnShadow", clBtnShadow},
                                         {"clGrayText", clGrayText},
                                         {"clBtnText", clBtnText},
                                         {"clInactiveCaptionText", clInactiveCaptionText},
                                         {"clBtnHighlight", clBtnHighlight},
                                         {"cl3DDkShadow", cl3DDkShadow},
                                         {"cl3DLight", cl3DLight},
                                         {"clInfoText", clInfoText},
                                         {"clInfoBk", clInfoBk},
                                         {"clHotLight", clHotLight},
                                         {"clGradientActiveCaption", clGradientActiveCaption},
                                         {"clGradientInactiveCaption", clGradientInactiveCaption},
                                         {"clMenuHighlight", clMenuHighlight},
                                         {"clMenuBar", clMenuBar}});
    return true;
}();

const bool cursorIdents = [] {
    RegisterIntegerIdents(kCursorIdents, {{"crDefault", crDefault},
                                          {"crNone", crNone},
                                          {"crArrow", crArrow},
                                          {"crCross", crCross},
                                          {"crIBeam", crIBeam},
                                          {"crSizeNESW", crSizeNESW},
                                          {"crSizeNS", crSizeNS},
                                          {"crSizeNWSE", crSizeNWSE},
                                          {"crSizeWE", crSizeWE},
                                          {"crHourGlass", crHourGlass},
                                          {"crNo", crNo},
                                          {"crHandPoint", crHandPoint},
                                          {"crSizeAll", crSizeAll}});
    return true;
}();
} // namespace

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
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TFont&) { FontChanged(); };
}

TControl::~TControl() {
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
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
    if (parent_ != nullptr)
        SetParent(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    bool moved = left != left_ || top != top_;
    bool resized = width != width_ || height != height_;
    if (!moved && !resized)
        return;
    if (parent_ != nullptr && visible_)
        Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (parent_ != nullptr && visible_)
        Invalidate();
    BoundsChanged(moved, resized);
    if (align_ != TAlign::alNone)
        RequestAlign();
}

void TControl::BoundsChanged(bool /*moved*/, bool resized) {
    if (resized)
        Resize();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int value) {
    SetWidth(value + (width_ - ClientWidth()));
}

void TControl::SetClientHeight(int value) {
    SetHeight(value + (height_ - ClientHeight()));
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
        r.X += c->left_;
        r.Y += c->top_;
        if (c->parent_ == nullptr)
            break;
        c = c->parent_;
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
    if (parent_ == nullptr)
        return Rect(0, 0, width_, height_);
    TPoint origin = parent_->ClientToScreen(Point(left_, top_));
    TCustomForm* form = ParentForm();
    TPoint formOrigin = form != nullptr ? Point(form->Left(), form->Top()) : Point(0, 0);
    TRect r = Bounds(origin.X - formOrigin.X, origin.Y - formOrigin.Y, width_, height_);
    for (const TWinControl* p = parent_; p != nullptr; p = p->parent_) {
        TPoint o = p->ClientToScreen(Point(0, 0));
        TRect client =
            Bounds(o.X - formOrigin.X, o.Y - formOrigin.Y, p->ClientWidth(), p->ClientHeight());
        IntersectRect(r, r, client);
    }
    return r;
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value)
        return;
    align_ = value;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ != nullptr)
        parent_->Realign();
}

void TControl::SetVisible(bool value) {
    if (visible_ == value)
        return;
    if (visible_)
        Invalidate();
    visible_ = value;
    if (visible_)
        Invalidate();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

bool TControl::IsShowing() const {
    const TControl* c = this;
    while (c != nullptr) {
        if (!c->visible_)
            return false;
        if (c->parent_ == nullptr) {
            auto* form = dynamic_cast<const TCustomForm*>(c);
            return form != nullptr && form->ScreenWindow() != 0;
        }
        c = c->parent_;
    }
    return false;
}

void TControl::SetEnabled(bool value) {
    if (enabled_ == value)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsEnabledInParents() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_)
        if (!c->enabled_)
            return false;
    return true;
}

void TControl::SetColor(TColor value) {
    if (color_ == value && !parentColor_)
        return;
    color_ = value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (parentColor_ == value)
        return;
    parentColor_ = value;
    if (value && parent_ != nullptr)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value)
        return;
    parentFont_ = value;
    if (value && parent_ != nullptr)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
    if (!settingParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (cursor_ == value)
        return;
    cursor_ = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetCaption(const std::string& value) {
    if (caption_ == value)
        return;
    caption_ = value;
    Perform(CM_TEXTCHANGED);
    TextChanged();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_ != nullptr) {
        Invalidate();
        parent_->RemoveControl(this);
    }
    if (parent != nullptr) {
        parent->InsertControl(this);
        if (parentColor_)
            Perform(CM_PARENTCOLORCHANGED);
        if (parentFont_)
            Perform(CM_PARENTFONTCHANGED);
        Invalidate();
    }
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_ == value)
        return;
    if (popupMenu_ != nullptr)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
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
    if (form == nullptr || !visible_)
        return;
    if (form == this) {
        form->InvalidateWindowRect(Rect(0, 0, width_, height_));
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
    if (parent_ == nullptr)
        return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr)
        return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::Click() {
    onClick_(this);
}

void TControl::DblClick() {
    onDblClick_(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    onMouseDown_(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    onMouseUp_(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    onMouseMove_(this, shift, x, y);
}

void TControl::Resize() {
    onResize_(this);
}

TComponent* TControl::GetParentComponent() const {
    return parent_;
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
            if (controlStyle_ & csCaptureMouse)
                Application().SetCaptureControl(this);
            bool dbl = m.Msg == WM_LBUTTONDBLCLK;
            if (!dbl && (controlStyle_ & csClickEvents))
                controlState_ |= csClicked;
            controlState_ |= csLButtonDown;
            if (dbl && (controlStyle_ & csClickEvents))
                DblClick();
            MouseDown(TMouseButton::mbLeft, shift | (dbl ? ssDouble : 0), x, y);
        } else if (m.Msg == WM_LBUTTONUP) {
            bool clicked = (controlState_ & csClicked) != 0;
            controlState_ &= ~(csClicked | csLButtonDown);
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
            while (owner != nullptr && owner->popupMenu_ == nullptr)
                owner = owner->parent_;
            if (owner != nullptr) {
                TPoint p = ClientToScreen(Point(x, y));
                owner->popupMenu_->SetPopupComponent(owner);
                owner->popupMenu_->Popup(p.X, p.Y);
            }
        } else {
            MouseMove(shift, x, y);
        }
        return;
    }
    case CM_MOUSEENTER:
        onMouseEnter_(this);
        return;
    case CM_MOUSELEAVE:
        onMouseLeave_(this);
        return;
    case CM_CANCELMODE:
        controlState_ &= ~(csClicked | csLButtonDown);
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_ != nullptr) {
            SetColor(parent_->Color());
            parentColor_ = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_ != nullptr) {
            settingParentFont_ = true;
            font_.Assign(parent_->FontRef());
            settingParentFont_ = false;
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
