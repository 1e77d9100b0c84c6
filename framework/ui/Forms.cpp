#include "framework/ui/Forms.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Application.h"
#include "framework/ui/Menus.h"
#include "platform/backend/Backend.h"

#include <algorithm>

const TEnumInfo TFormBorderStyleInfo("TFormBorderStyle",
                                     {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                      "bsToolWindow", "bsSizeToolWin"});
const TEnumInfo TWindowStateInfo("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
const TEnumInfo TPositionInfo("TPosition",
                              {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                               "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                               "poOwnerFormCenter"});
const TEnumInfo TFormStyleInfo("TFormStyle",
                               {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});

SSI_DEFINE_CLASS(TSizeConstraints, TPersistent)

void TSizeConstraints::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
        .Default(0)
        .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
        .Default(0)
        .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
        .Default(0)
        .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
        .Default(0);
}

void TSizeConstraints::Assign(const TPersistent& source) {
    if (auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
        FMaxHeight = s->FMaxHeight;
        FMaxWidth = s->FMaxWidth;
        FMinHeight = s->FMinHeight;
        FMinWidth = s->FMinWidth;
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (FMaxWidth > 0 && width > FMaxWidth)
        width = FMaxWidth;
    if (FMaxHeight > 0 && height > FMaxHeight)
        height = FMaxHeight;
    if (width < FMinWidth)
        width = FMinWidth;
    if (height < FMinHeight)
        height = FMinHeight;
}

SSI_DEFINE_CLASS(TCustomForm, TCustomControl)

void TCustomForm::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("Visible").Default(0);
    // Published by TForm.
    p.Protected()
        .Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Enum("BorderStyle", TFormBorderStyleInfo, &TCustomForm::BorderStyle,
              &TCustomForm::SetBorderStyle)
        .Default(static_cast<int>(TFormBorderStyle::bsSizeable))
        .Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetStoredClientHeight)
        .NotStored()
        .Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetStoredClientWidth)
        .NotStored()
        .Object("Constraints", &TCustomForm::Constraints, &TCustomForm::SetConstraints)
        .Enum("FormStyle", TFormStyleInfo, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
        .Default(0)
        .Object("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
        .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Default(0)
        .Component("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
        .Enum("Position", TPositionInfo, &TCustomForm::Position, &TCustomForm::SetPosition)
        .Default(0)
        .Boolean("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
        .Default(1)
        .Boolean("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
        .Default(1)
        .Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
        .Default(kScreenPixelsPerInch)
        .Integer("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight)
        .Default(13)
        .Enum("WindowState", TWindowStateInfo, &TCustomForm::WindowState,
              &TCustomForm::SetWindowState)
        .Default(0)
        .Event("OnActivate", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate)
        .Event("OnClose", &TCustomForm::OnClose, &TCustomForm::SetOnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery)
        .Event("OnCreate", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::SetOnDeactivate)
        .Event("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::SetOnDestroy)
        .Event("OnHide", &TCustomForm::OnHide, &TCustomForm::SetOnHide)
        .Event("OnShow", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
}

void TForm::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("BorderWidth")
        .Inherited("ActiveControl")
        .Inherited("BorderStyle")
        .Inherited("Caption")
        .Inherited("ClientHeight")
        .Inherited("ClientWidth")
        .Inherited("Color")
        .Inherited("Constraints")
        .Inherited("Font")
        .Inherited("FormStyle")
        .Inherited("Icon")
        .Inherited("KeyPreview")
        .Inherited("Menu")
        .Inherited("Position")
        .Inherited("Scaled")
        .Inherited("AutoScroll")
        .Inherited("PixelsPerInch")
        .Inherited("TextHeight")
        .Inherited("WindowState")
        .Inherited("PopupMenu")
        .Inherited("OnActivate")
        .Inherited("OnClick")
        .Inherited("OnClose")
        .Inherited("OnCloseQuery")
        .Inherited("OnCreate")
        .Inherited("OnDeactivate")
        .Inherited("OnDestroy")
        .Inherited("OnHide")
        .Inherited("OnKeyDown")
        .Inherited("OnResize")
        .Inherited("OnShow");
}

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
    TControl::SetVisible(false);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption |
                    csDoubleClicks);
    SetParentFont(false);
    UpdateStyleFromBorder();
    TControl::SetBounds(0, 0, 320, 240);
    Application().FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
    if (ApplicationExists())
        Application().FormDestroying(this);
    DestroyHandle();
}

void TCustomForm::BeforeDestruction() {
    FOnDestroy(this);
    if (ApplicationExists())
        Application().FormDestroying(this);
    TCustomControl::BeforeDestruction();
}

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    // The client size a layout stores is the one the form was designed
    // with, whatever the controls read after it did to the frame (a skinned
    // form takes the caption away): it is applied once everything is read.
    if (FLoadedClientWidth >= 0)
        SetClientWidth(FLoadedClientWidth);
    if (FLoadedClientHeight >= 0)
        SetClientHeight(FLoadedClientHeight);
    FLoadedClientWidth = FLoadedClientHeight = -1;
    FOnCreate(this);
}

void TCustomForm::SetStoredClientWidth(int value) {
    if (HasState(csLoading))
        FLoadedClientWidth = value;
    SetClientWidth(value);
}

void TCustomForm::SetStoredClientHeight(int value) {
    if (HasState(csLoading))
        FLoadedClientHeight = value;
    SetClientHeight(value);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove) {
        if (component == FActiveControl)
            FActiveControl = nullptr;
        if (component == FFocusedControl)
            FFocusedControl = nullptr;
        if (component == FMenu)
            FMenu = nullptr;
    }
}

void TCustomForm::UpdateStyleFromBorder() {
    uint32_t style = WindowStyle() & ~(WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU |
                                       WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME);
    switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
        break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsDialog:
        style |= WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        break;
    }
    SetWindowStyle(style);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (FBorderStyle == value)
        return;
    // The client size stays; the window grows or shrinks with the frame.
    int cw = ClientWidth();
    int ch = ClientHeight();
    FBorderStyle = value;
    UpdateStyleFromBorder();
    if (!HasState(csLoading)) {
        SetClientWidth(cw);
        SetClientHeight(ch);
    }
    RecreateWnd();
    FrameChanged();
}

int TCustomForm::FrameWidth() const {
    return FBorderStyle == TFormBorderStyle::bsNone ? 0 : kSystemFrameWidth;
}

int TCustomForm::CaptionHeight() const {
    return (WindowStyle() & WS_CAPTION) == WS_CAPTION ? kSystemCaptionHeight : 0;
}

TRect TCustomForm::ClientRect() const {
    int f = FrameWidth() + BorderWidth();
    int w = std::max(Width() - 2 * f, 0);
    int h = std::max(Height() - 2 * f - CaptionHeight(), 0);
    return Rect(0, 0, w, h);
}

TPoint TCustomForm::ClientOffset() const {
    int f = FrameWidth() + BorderWidth();
    return Point(f, f + CaptionHeight());
}

void TCustomForm::SetConstraints(const TSizeConstraints& value) {
    FConstraints.Assign(value);
    SetBounds(Left(), Top(), Width(), Height());
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    FConstraints.Apply(width, height);
    TCustomControl::SetBounds(left, top, width, height);
}

void TCustomForm::BoundsChanged(bool moved, bool resized) {
    if (FWindow != 0) {
        WindowSystem().SetWindowBounds(FWindow,
                                       TWsRect{Left(), Top(), Left() + Width(), Top() + Height()});
        if (resized) {
            ResizeSurface();
            InvalidateFrame();
            InvalidateWindowRect(Rect(0, 0, Width(), Height()));
        }
    }
    if (moved)
        Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
    if (resized) {
        uintptr_t kind = FWindowState == TWindowState::wsMaximized   ? SIZE_MAXIMIZED
                         : FWindowState == TWindowState::wsMinimized ? SIZE_MINIMIZED
                                                                     : SIZE_RESTORED;
        Perform(WM_SIZE, kind, MakeLParam(ClientWidth(), ClientHeight()));
    }
}

void TCustomForm::ResizeSurface() {
    FSurface.SetSize(Width(), Height());
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (FWindowState == value)
        return;
    TWindowState old = FWindowState;
    FWindowState = value;
    if (FWindow == 0)
        return;
    if (value == TWindowState::wsMaximized) {
        if (old == TWindowState::wsNormal)
            FRestoredBounds = BoundsRect();
        TWsRect area = WindowSystem().WorkArea();
        SetBounds(area.Left, area.Top, area.Width(), area.Height());
        Perform(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(ClientWidth(), ClientHeight()));
    } else if (value == TWindowState::wsMinimized) {
        if (old == TWindowState::wsNormal)
            FRestoredBounds = BoundsRect();
        if (!WindowSystem().MinimizeWindow(FWindow)) {
            // Nobody could give the window back: it stays as it was.
            FWindowState = old;
            return;
        }
        Perform(WM_SIZE, SIZE_MINIMIZED, MakeLParam(ClientWidth(), ClientHeight()));
    } else {
        if (old == TWindowState::wsMinimized)
            WindowSystem().ShowWindow(FWindow, true);
        if (old == TWindowState::wsMaximized && !IsRectEmpty(FRestoredBounds))
            SetBoundsRect(FRestoredBounds);
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
        InvalidateFrame();
        InvalidateWindowRect(Rect(0, 0, Width(), Height()));
    }
}

void TCustomForm::SetMenu(TMainMenu* value) {
    if (FMenu == value)
        return;
    if (FMenu != nullptr)
        FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TCustomForm::TextChanged() {
    if (FWindow != 0)
        WindowSystem().SetWindowTitle(FWindow, Caption());
    InvalidateFrame();
}

// --- Window ---

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    TWsRect r{Left(), Top(), Left() + Width(), Top() + Height()};
    FWindow = WindowSystem().CreateWindow(WindowKind(), r);
    WindowSystem().SetWindowTitle(FWindow, Caption());
    if (!FShape.IsEmpty())
        WindowSystem().SetWindowShape(FWindow, FShape);
    ResizeSurface();
    FFrameInvalid = true;
    FInvalid = Rect(0, 0, Width(), Height());
    if (Visible()) {
        // A shown form whose window was made again (new styles) stays shown,
        // and keeps the keyboard when it had it.
        WindowSystem().ShowWindow(FWindow, true);
        Application().FormShown(this, true);
        if (FReactivate) {
            FReactivate = false;
            Application().ActivateForm(this);
        }
    }
}

void TCustomForm::DestroyWnd() {
    FReactivate = FActive && !HasState(csDestroying);
    if (FWindow != 0)
        WindowSystem().DestroyWindow(FWindow);
    FWindow = 0;
    if (ApplicationExists())
        Application().FormShown(this, false);
    TCustomControl::DestroyWnd();
}

void TCustomForm::FrameChanged() {
    InvalidateFrame();
    InvalidateWindowRect(Rect(0, 0, Width(), Height()));
    Realign();
    if (FWindow != 0)
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
}

bool TCustomForm::ContainsScreenPoint(const TPoint& p) const {
    return FShape.WindowContains(Width(), Height(), p.X - Left(), p.Y - Top());
}

void TCustomForm::SetWindowShape(const TWindowShape& shape) {
    FShape = shape;
    // A form without its window yet gets the shape when the window is made.
    if (HandleAllocated())
        WindowSystem().SetWindowShape(FWindow, shape);
}

void TCustomForm::SetWindowRegion(const TRegion* region) {
    if (region == nullptr) {
        SetWindowShape(TWindowShape());
        return;
    }
    TWindowShape shape(Width(), Height());
    for (const TRect& r : region->Rects())
        shape.AddRect(r.Left, r.Top, r.Right, r.Bottom);
    SetWindowShape(shape);
}

intptr_t TCustomForm::HitTest(const TPoint& screenPoint) {
    TPoint p = Point(screenPoint.X - Left(), screenPoint.Y - Top());
    if (!PtInRect(Rect(0, 0, Width(), Height()), p))
        return HTNOWHERE;
    TPoint off = ClientOffset();
    if (PtInRect(Bounds(off.X, off.Y, ClientWidth(), ClientHeight()), p))
        return HTCLIENT;
    int f = FrameWidth();
    bool sizeable = (WindowStyle() & WS_THICKFRAME) != 0;
    if (sizeable) {
        bool left = p.X < f, right = p.X >= Width() - f, top = p.Y < f,
             bottom = p.Y >= Height() - f;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (CaptionHeight() > 0 && p.Y >= f && p.Y < f + CaptionHeight())
        return HTCAPTION;
    return HTBORDER;
}

// --- Showing and closing ---

void TCustomForm::SetVisible(bool value) {
    if (value == Visible() && (!value || FWindow != 0))
        return;
    if (value) {
        if (!FShown) {
            // The first showing places the form as Position asks.
            TRect area;
            TCustomForm* main = ApplicationExists() ? Application().MainForm() : nullptr;
            TCustomForm* owner = dynamic_cast<TCustomForm*>(Owner());
            TWsRect work = WindowSystem().WorkArea();
            switch (FPosition) {
            case TPosition::poScreenCenter:
            case TPosition::poDesktopCenter:
                area = Rect(work.Left, work.Top, work.Right, work.Bottom);
                break;
            case TPosition::poMainFormCenter:
                area = main != nullptr && main != this
                           ? main->BoundsRect()
                           : Rect(work.Left, work.Top, work.Right, work.Bottom);
                break;
            case TPosition::poOwnerFormCenter:
                area = owner != nullptr ? owner->BoundsRect()
                                        : Rect(work.Left, work.Top, work.Right, work.Bottom);
                break;
            default:
                break;
            }
            if (!IsRectEmpty(area))
                SetBounds(area.Left + (area.Width() - Width()) / 2,
                          area.Top + (area.Height() - Height()) / 2, Width(), Height());
        }
        HandleNeeded();
        TControl::SetVisible(true);
        Perform(WM_SHOWWINDOW, 1);
        Realign();
        // A failing show handler is reported like any handler's failure;
        // the form is shown all the same.
        Application().Guard(this, [this] { DoShow(); });
        FShown = true;
        WindowSystem().ShowWindow(FWindow, true);
        InvalidateFrame();
        InvalidateWindowRect(Rect(0, 0, Width(), Height()));
        Application().FormShown(this, true);
        Application().ActivateForm(this);
        if (FActiveControl != nullptr && FActiveControl->CanFocus())
            SetFocusedControl(FActiveControl);
        else if (FFocusedControl == nullptr) {
            TWinControl* first = FindNextControl(nullptr, true, true, false);
            if (first != nullptr)
                SetFocusedControl(first);
        }
        PaintNow();
    } else {
        Perform(WM_SHOWWINDOW, 0);
        TControl::SetVisible(false);
        if (FWindow != 0)
            WindowSystem().ShowWindow(FWindow, false);
        Application().FormShown(this, false);
        DoHide();
    }
}

void TCustomForm::ShowForm() {
    SetVisible(true);
    Application().BringToTop(this);
    Application().ActivateForm(this);
}

void TCustomForm::DoShow() {
    FOnShow(this);
}

void TCustomForm::DoHide() {
    FOnHide(this);
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    TApplication& app = Application();
    TCustomForm* previous = app.ActiveForm();
    TComponentTracker self(this);
    // Leaves the modal state however the loop ends (a handler may throw).
    struct TModalScope {
        TCustomForm* Form;
        TComponentTracker Alive;
        ~TModalScope() {
            if (!ApplicationExists())
                return;
            auto& stack = Application().FModalStack;
            stack.erase(std::remove(stack.begin(), stack.end(), Form), stack.end());
            if (Alive.Exists())
                Form->FModal = false;
        }
    } scope{this, TComponentTracker(this)};
    FModal = true;
    FModalResult = mrNone;
    app.FModalStack.push_back(this);
    // Whatever had the mouse in the form below lets go of it.
    if (app.CaptureControl() != nullptr && app.CaptureControl()->ParentForm() != this)
        app.SetCaptureControl(nullptr);
    ShowForm();
    while (self.Exists() && FModalResult == mrNone && Visible() && !app.Terminated()) {
        // Nothing could ever arrive (no input source, no timer): give up
        // rather than wait for ever.
        if (!app.HandleMessage())
            break;
        if (!self.Exists())
            break;
        if (FModalResult != mrNone) {
            // Closing decides whether the result stands (OnCloseQuery).
            TModalResult r = FModalResult;
            if (!CloseQuery())
                FModalResult = mrNone;
            else {
                FModalResult = r;
                TCloseAction action = TCloseAction::caHide;
                FOnClose(this, action);
                if (action == TCloseAction::caNone)
                    FModalResult = mrNone;
            }
        }
    }
    if (!self.Exists())
        return mrCancel;
    TModalResult result = FModalResult == mrNone ? mrCancel : FModalResult;
    FModal = false;
    app.FModalStack.erase(std::remove(app.FModalStack.begin(), app.FModalStack.end(), this),
                          app.FModalStack.end());
    SetVisible(false);
    if (previous != nullptr && previous != this && previous->Visible())
        app.ActivateForm(previous);
    return result;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    FOnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = TCloseAction::caHide;
    FOnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    if (ApplicationExists() && Application().MainForm() == this) {
        Application().Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide:
        SetVisible(false);
        break;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        break;
    case TCloseAction::caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release() {
    SetVisible(false);
    Application().QueueRelease(this);
}

void TCustomForm::SetActive(bool value) {
    if (FActive == value)
        return;
    FActive = value;
    Perform(WM_ACTIVATE, value ? WA_ACTIVE : WA_INACTIVE);
    Perform(value ? CM_ACTIVATE : CM_DEACTIVATE);
    InvalidateFrame();
    if (value)
        FOnActivate(this);
    else
        FOnDeactivate(this);
}

// --- Focus ---

bool TCustomForm::CanFocus() const {
    return Visible() && Enabled();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (FActiveControl == control)
        return;
    if (control != nullptr && control->ParentForm() != this)
        throw EInvalidOperation("Invalid active control: it is not on this form");
    if (HasState(csLoading) || FWindow == 0 || !Visible()) {
        FActiveControl = control;
        return;
    }
    if (control != nullptr && !control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetFocusedControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (!Visible() || FWindow == 0) {
        FActiveControl = control;
        return;
    }
    SetFocusedControl(control);
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (control == this)
        control = nullptr;
    if (FFocusedControl == control) {
        FActiveControl = control;
        return true;
    }
    TComponentTracker formAlive(this);
    TWinControl* old = FFocusedControl;
    if (old != nullptr) {
        TComponentTracker oldAlive(old);
        old->Perform(WM_KILLFOCUS, control != nullptr ? control->Handle() : 0);
        if (oldAlive.Exists())
            old->Perform(CM_EXIT);
        if (!formAlive.Exists())
            return false;
        // An OnExit handler that moved the focus elsewhere wins.
        if (FFocusedControl != old)
            return false;
    }
    FFocusedControl = control;
    FActiveControl = control;
    if (control != nullptr) {
        control->Perform(WM_SETFOCUS, old != nullptr && old->HandleAllocated() ? old->Handle() : 0);
        if (FFocusedControl == control)
            control->Perform(CM_ENTER);
    }
    if (formAlive.Exists())
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(FFocusedControl));
    return true;
}

// --- Messages ---

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT: {
        TWindowCanvas dc(this);
        PaintFrame(dc.Canvas());
        return;
    }
    case WM_CLOSE:
        Close();
        return;
    case WM_NCHITTEST:
        m.Result = HitTest(Point(LoSmallInt(m.LParam), HiSmallInt(m.LParam)));
        return;
    case WM_NCLBUTTONDOWN: {
        intptr_t hit = static_cast<intptr_t>(m.WParam);
        if (FWindowState == TWindowState::wsMaximized)
            return;
        if (hit == HTCAPTION)
            Application().BeginMoveWindow(this);
        else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (WindowStyle() & WS_THICKFRAME))
            Application().BeginSizeWindow(this, hit);
        return;
    }
    case WM_NCLBUTTONDBLCLK:
        if (static_cast<intptr_t>(m.WParam) == HTCAPTION) {
            if (WindowStyle() & WS_MAXIMIZEBOX)
                SetWindowState(FWindowState == TWindowState::wsMaximized
                                   ? TWindowState::wsNormal
                                   : TWindowState::wsMaximized);
            return;
        }
        // Elsewhere on the frame a second press is a press.
        m.Msg = WM_NCLBUTTONDOWN;
        WndProc(m);
        return;
    case WM_SYSCOMMAND:
        switch (m.WParam & 0xFFF0) {
        case SC_CLOSE:
            Close();
            break;
        case SC_MINIMIZE:
            SetWindowState(TWindowState::wsMinimized);
            break;
        case SC_MAXIMIZE:
            SetWindowState(TWindowState::wsMaximized);
            break;
        case SC_RESTORE:
            SetWindowState(TWindowState::wsNormal);
            break;
        case SC_MOVE:
            Application().BeginMoveWindow(this);
            break;
        default:
            break;
        }
        return;
    case CM_DIALOGKEY: {
        int key = static_cast<int>(m.WParam);
        TShiftState shift = static_cast<TShiftState>(m.LParam);
        if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
            SelectNext(FFocusedControl, !(shift & ssShift), true);
            m.Result = 1;
            return;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            // Arrows move among the siblings of the focused control.
            if (FFocusedControl != nullptr && FFocusedControl->Parent() != nullptr) {
                FFocusedControl->Parent()->SelectNext(FFocusedControl,
                                                      key == VK_RIGHT || key == VK_DOWN, false);
                m.Result = 1;
            }
            return;
        }
        TCustomControl::WndProc(m);
        return;
    }
    case WM_SIZE:
        TCustomControl::WndProc(m);
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TCustomForm::Paint() {}

void TCustomForm::PaintFrame(TCanvas& canvas) {
    int f = FrameWidth();
    if (f == 0)
        return;
    int w = Width(), h = Height();
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    // The platform's raised window edge: light outer top-left, dark outer
    // bottom-right, face colour between.
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, w, f));
    canvas.FillRect(Rect(0, 0, f, h));
    canvas.FillRect(Rect(w - f, 0, w, h));
    canvas.FillRect(Rect(0, h - f, w, h));
    canvas.Brush().SetColor(clBtnHighlight);
    canvas.FillRect(Rect(0, 0, w - 1, 1));
    canvas.FillRect(Rect(0, 0, 1, h - 1));
    canvas.Brush().SetColor(cl3DDkShadow);
    canvas.FillRect(Rect(0, h - 1, w, h));
    canvas.FillRect(Rect(w - 1, 0, w, h));
    int cap = CaptionHeight();
    if (cap > 0) {
        TRect bar = Rect(f, f, w - f, f + cap);
        canvas.Brush().SetColor(FActive ? clActiveCaption : clInactiveCaption);
        canvas.FillRect(bar);
        canvas.Font().Assign(FontRef());
        canvas.Font().SetStyle(fsBold);
        canvas.Font().SetColor(FActive ? clCaptionText : clInactiveCaptionText);
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        TRect text = bar;
        text.Left += 4;
        DrawText(canvas, Caption(), text,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

// --- Painting ---

void TCustomForm::InvalidateWindowRect(const TRect& rect) {
    TRect r;
    if (!IntersectRect(r, rect, Rect(0, 0, Width(), Height())))
        return;
    UnionRect(FInvalid, FInvalid, r);
}

void TCustomForm::InvalidateFrame() {
    FFrameInvalid = true;
}

bool TCustomForm::NeedsPaint() const {
    return FWindow != 0 && Visible() && (FFrameInvalid || !IsRectEmpty(FInvalid));
}

void TCustomForm::PaintNow() {
    if (!NeedsPaint())
        return;
    TComponentTracker alive(this);
    TRect present = FInvalid;
    bool frame = FFrameInvalid;
    FFrameInvalid = false;
    FInvalid = TRect{};
    if (!IsRectEmpty(present)) {
        TRect clientArea =
            Bounds(ClientOffset().X, ClientOffset().Y, ClientWidth(), ClientHeight());
        TRect dirty;
        if (IntersectRect(dirty, present, clientArea))
            PaintControlTree(this, this, dirty);
        if (!alive.Exists())
            return;
    }
    if (frame) {
        Perform(WM_NCPAINT, 1);
        if (!alive.Exists())
            return;
        present = Rect(0, 0, Width(), Height());
    }
    PresentRect(present);
}

void TCustomForm::PresentRect(const TRect& rect) {
    PresentSurface(FWindow, FSurface, rect);
}

SSI_DEFINE_CLASS(TForm, TCustomForm)

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}
