#include "framework/ui/Application.h"

#include "framework/ui/ErrorBox.h"
#include "framework/ui/Forms.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Timer.h"
#include "platform/window/Backend.h"

#include <algorithm>
#include <memory>

namespace {
std::unique_ptr<TApplication>& Instance() {
    static std::unique_ptr<TApplication> app;
    return app;
}
bool resetting = false;

TShiftState ShiftFromState(uint32_t state) {
    TShiftState s = 0;
    if (state & wsShift)
        s |= ssShift;
    if (state & wsCtrl)
        s |= ssCtrl;
    if (state & wsAlt)
        s |= ssAlt;
    if (state & wsLeftButton)
        s |= ssLeft;
    if (state & wsRightButton)
        s |= ssRight;
    if (state & wsMiddleButton)
        s |= ssMiddle;
    return s;
}

TWsCursor WsCursor(TCursor cursor) {
    switch (cursor) {
    case crIBeam:
        return TWsCursor::IBeam;
    case crHourGlass:
        return TWsCursor::Wait;
    case crCross:
        return TWsCursor::Cross;
    case crHandPoint:
        return TWsCursor::Hand;
    case crSizeAll:
        return TWsCursor::SizeAll;
    case crSizeNWSE:
        return TWsCursor::SizeNWSE;
    case crSizeNESW:
        return TWsCursor::SizeNESW;
    case crSizeWE:
        return TWsCursor::SizeWE;
    case crSizeNS:
        return TWsCursor::SizeNS;
    case crNo:
        return TWsCursor::No;
    default:
        return TWsCursor::Arrow;
    }
}

// Key message LParam: repeat count in the low word, the shift state in
// bits 16..23 (where the platform keeps a scan code, which nothing here
// reads) and bit 29 while Alt is held, as the platform sets it.
intptr_t KeyLParam(uint32_t state) {
    TShiftState shift = ShiftFromState(state) & (ssShift | ssCtrl | ssAlt);
    intptr_t l = 1 | static_cast<intptr_t>(shift) << 16;
    if (state & wsAlt)
        l |= intptr_t(1) << 29;
    return l;
}
} // namespace

TApplication& Application() {
    if (!Instance())
        Instance() = std::make_unique<TApplication>(nullptr);
    return *Instance();
}

bool ApplicationExists() {
    return Instance() != nullptr && !resetting;
}

void ResetApplication() {
    Instance().reset();
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

SSI_DEFINE_CLASS(TApplication, TComponent)

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    // Owned forms are destroyed by TComponent; make sure none of them
    // calls back into a half-destroyed application.
    resetting = true;
    timers_.clear();
    while (ComponentCount() > 0)
        Component(ComponentCount() - 1)->Free();
    resetting = false;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
}

void TApplication::AddCreatedForm(TCustomForm* form) {
    if (mainForm_ == nullptr)
        mainForm_ = form;
}

void TApplication::ControlDestroyed(TControl* control) {
    if (capture_ == control)
        capture_ = nullptr;
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (lastDownControl_ == control)
        lastDownControl_ = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), form), zOrder_.end());
    releasing_.erase(std::remove(releasing_.begin(), releasing_.end(), form), releasing_.end());
    modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), form), modalStack_.end());
    if (activeForm_ == form)
        activeForm_ = nullptr;
    if (mainForm_ == form)
        mainForm_ = nullptr;
    if (moving_ == form)
        moving_ = nullptr;
    if (capture_ != nullptr && capture_->ParentForm() == form)
        capture_ = nullptr;
    if (mouseControl_ != nullptr && mouseControl_->ParentForm() == form)
        mouseControl_ = nullptr;
    if (lastDownControl_ != nullptr && lastDownControl_->ParentForm() == form)
        lastDownControl_ = nullptr;
}

// --- Running ---

void TApplication::Run() {
    if (mainForm_ != nullptr && !mainForm_->Visible())
        Guard(mainForm_, [this] { mainForm_->ShowForm(); });
    while (!terminated_) {
        if (!HandleMessage())
            break;
        if (mainForm_ == nullptr)
            break;
    }
    PaintForms();
}

void TApplication::ProcessMessages() {
    TWsEvent event;
    FreeReleasedForms();
    FireDueTimers();
    while (!terminated_ && WindowSystem().WaitEvent(event, 0)) {
        DispatchEvent(event);
        FireDueTimers();
    }
    PaintForms();
    FreeReleasedForms();
}

bool TApplication::HandleMessage() {
    FreeReleasedForms();
    FireDueTimers();
    TWsEvent event;
    if (WindowSystem().WaitEvent(event, 0)) {
        DispatchEvent(event);
        return true;
    }
    PaintForms();
    uint32_t timeout = TimeToNextTimer();
    if (moving_ != nullptr)
        timeout = std::min<uint32_t>(timeout, 10);
    if (WindowSystem().WaitEvent(event, timeout)) {
        DispatchEvent(event);
        return true;
    }
    if (moving_ != nullptr)
        ContinueMove();
    if (FireDueTimers() > 0)
        return true;
    // An endless wait that came back empty: nothing will ever arrive.
    return timeout != WS_INFINITE || moving_ != nullptr;
}

void TApplication::PaintForms() {
    std::vector<TCustomForm*> copy = zOrder_;
    for (TCustomForm* form : copy) {
        if (std::find(zOrder_.begin(), zOrder_.end(), form) == zOrder_.end())
            continue;
        Guard(form, [form] { form->PaintNow(); });
    }
}

void TApplication::QueueRelease(TCustomForm* form) {
    if (std::find(releasing_.begin(), releasing_.end(), form) == releasing_.end())
        releasing_.push_back(form);
}

void TApplication::FreeReleasedForms() {
    while (!releasing_.empty()) {
        TCustomForm* form = releasing_.back();
        releasing_.pop_back();
        form->Free();
    }
}

// --- Exceptions ---

void TApplication::Guard(TObject* sender, const std::function<void()>& action) {
    try {
        action();
    } catch (...) {
        HandleException(sender);
    }
}

void TApplication::HandleException(TObject* sender) {
    try {
        throw;
    } catch (const std::exception& e) {
        if (onException_.Assigned())
            onException_(sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (onException_.Assigned())
            onException_(sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    ShowErrorBox(ErrorBoxText(e.what()), title_);
}

// --- Forms ---

void TApplication::FormShown(TCustomForm* form, bool shown) {
    auto it = std::find(zOrder_.begin(), zOrder_.end(), form);
    if (shown) {
        if (it == zOrder_.end())
            zOrder_.push_back(form);
        return;
    }
    if (it != zOrder_.end())
        zOrder_.erase(it);
    if (capture_ != nullptr && capture_->ParentForm() == form)
        capture_ = nullptr;
    if (activeForm_ == form) {
        form->SetActive(false);
        activeForm_ = nullptr;
        for (auto r = zOrder_.rbegin(); r != zOrder_.rend(); ++r)
            if ((*r)->Visible() && (*r)->Enabled()) {
                ActivateForm(*r);
                break;
            }
    }
}

void TApplication::ActivateForm(TCustomForm* form) {
    if (activeForm_ == form)
        return;
    // While a modal form is up, no other form takes the keyboard.
    if (ModalForm() != nullptr && form != ModalForm())
        return;
    TCustomForm* old = activeForm_;
    activeForm_ = form;
    if (old != nullptr)
        Guard(old, [old] { old->SetActive(false); });
    if (form != nullptr)
        Guard(form, [form] { form->SetActive(true); });
}

TCustomForm* TApplication::FormAt(const TPoint& p) const {
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        TCustomForm* f = *it;
        if (f->Visible() && f->ScreenWindow() != 0 && f->ContainsScreenPoint(p) &&
            f->WindowState() != TWindowState::wsMinimized)
            return f;
    }
    return nullptr;
}

void TApplication::BringToTop(TCustomForm* form) {
    auto it = std::find(zOrder_.begin(), zOrder_.end(), form);
    if (it != zOrder_.end()) {
        zOrder_.erase(it);
        zOrder_.push_back(form);
    }
    if (form->ScreenWindow() != 0)
        WindowSystem().RaiseWindow(form->ScreenWindow());
}

// --- Mouse ---

void TApplication::SetCaptureControl(TControl* control) {
    if (capture_ == control)
        return;
    TControl* old = capture_;
    capture_ = control;
    if (old != nullptr)
        old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr_t>(control));
}

void TApplication::BeginMoveWindow(TCustomForm* form) {
    TPoint p = PointerPos();
    moving_ = form;
    sizeHit_ = 0;
    moveOffset_ = Point(p.X - form->Left(), p.Y - form->Top());
    SetCaptureControl(nullptr);
}

TPoint TApplication::PointerPos() const {
    // The pointer where the event being handled saw it: later input may
    // already be waiting, and the live position would skip it.
    if (mouseEventDepth_ > 0)
        return eventPos_;
    TWsPoint p = WindowSystem().CursorPos();
    return Point(p.X, p.Y);
}

void TApplication::BeginSizeWindow(TCustomForm* form, intptr_t hitTest) {
    TPoint p = PointerPos();
    moving_ = form;
    sizeHit_ = hitTest;
    sizeStart_ = Point(p.X, p.Y);
    sizeBounds_ = form->BoundsRect();
    SetCaptureControl(nullptr);
}

void TApplication::ContinueMove() {
    if (moving_ == nullptr)
        return;
    if (!WindowSystem().IsKeyDown(VK_LBUTTON)) {
        moving_ = nullptr;
        return;
    }
    TWsPoint p = WindowSystem().CursorPos();
    DragTo(Point(p.X, p.Y));
}

void TApplication::DragTo(const TPoint& p) {
    TCustomForm* form = moving_;
    if (form == nullptr)
        return;
    if (sizeHit_ == 0) {
        Guard(form, [&] {
            form->SetBounds(p.X - moveOffset_.X, p.Y - moveOffset_.Y, form->Width(),
                            form->Height());
        });
        return;
    }
    // The dragged edges follow the pointer; the others stay where they were,
    // also when the size constraints stop the window from shrinking.
    int dx = p.X - sizeStart_.X, dy = p.Y - sizeStart_.Y;
    TRect r = sizeBounds_;
    bool left = sizeHit_ == HTLEFT || sizeHit_ == HTTOPLEFT || sizeHit_ == HTBOTTOMLEFT;
    bool right = sizeHit_ == HTRIGHT || sizeHit_ == HTTOPRIGHT || sizeHit_ == HTBOTTOMRIGHT;
    bool top = sizeHit_ == HTTOP || sizeHit_ == HTTOPLEFT || sizeHit_ == HTTOPRIGHT;
    bool bottom = sizeHit_ == HTBOTTOM || sizeHit_ == HTBOTTOMLEFT || sizeHit_ == HTBOTTOMRIGHT;
    if (left)
        r.Left += dx;
    if (right)
        r.Right += dx;
    if (top)
        r.Top += dy;
    if (bottom)
        r.Bottom += dy;
    int w = std::max(r.Width(), 1), h = std::max(r.Height(), 1);
    form->Constraints()->Apply(w, h);
    int x = left ? sizeBounds_.Right - w : sizeBounds_.Left;
    int y = top ? sizeBounds_.Bottom - h : sizeBounds_.Top;
    Guard(form, [&] { form->SetBounds(x, y, w, h); });
}

void TApplication::UpdateMouseControl(TControl* control) {
    if (mouseControl_ == control)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old != nullptr)
        Guard(old, [old] { old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<intptr_t>(old)); });
    if (control != nullptr && mouseControl_ == control) {
        Guard(control, [control] {
            control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<intptr_t>(control));
        });
    }
    TCursor cursor = crDefault;
    for (TControl* c = mouseControl_; c != nullptr && cursor == crDefault; c = c->Parent())
        cursor = c->Cursor();
    WindowSystem().SetCursor(WsCursor(cursor));
}

bool TApplication::PreviewMessage(TMessage& message) {
    if (!onMessage_)
        return false;
    bool handled = false;
    TMessageEvent handler = onMessage_;
    handler(message, handled);
    return handled;
}

void TApplication::MouseEvent(const TWsEvent& event) {
    TPoint screen = Point(event.X, event.Y);
    struct TDepth {
        int& Depth;
        ~TDepth() { --Depth; }
    } depth{++mouseEventDepth_};
    eventPos_ = screen;
    if (moving_ != nullptr) {
        DragTo(screen);
        if (event.Type == TWsEventType::MouseUp && event.Button == TWsButton::Left)
            moving_ = nullptr;
        return;
    }
    TCustomForm* form = FormAt(screen);
    // Where the pointer is, for enter and leave, whoever has the capture.
    TControl* hover = nullptr;
    intptr_t hit = HTNOWHERE;
    if (form != nullptr) {
        hit = form->Perform(WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y));
        if (hit == HTCLIENT) {
            TPoint cp = form->ScreenToClient(screen);
            hover = form->ControlAtPos(cp, true);
            if (hover == nullptr)
                hover = form;
        }
    }
    // A modal form lets no other form have the mouse.
    if (ModalForm() != nullptr && form != ModalForm()) {
        form = nullptr;
        hover = nullptr;
    }
    UpdateMouseControl(hover);

    TControl* target = capture_;
    if (target == nullptr) {
        if (form == nullptr)
            return;
        if (hit != HTCLIENT) {
            // The non-client area: the frame and the system caption.
            intptr_t lp = MakeLParam(screen.X, screen.Y);
            uint32_t msg = 0;
            if (event.Type == TWsEventType::MouseMove) {
                msg = WM_NCMOUSEMOVE;
                WindowSystem().SetCursor(
                    hit == HTLEFT || hit == HTRIGHT            ? TWsCursor::SizeWE
                    : hit == HTTOP || hit == HTBOTTOM          ? TWsCursor::SizeNS
                    : hit == HTTOPLEFT || hit == HTBOTTOMRIGHT ? TWsCursor::SizeNWSE
                    : hit == HTTOPRIGHT || hit == HTBOTTOMLEFT ? TWsCursor::SizeNESW
                                                               : TWsCursor::Arrow);
            } else if (event.Type == TWsEventType::MouseDown && event.Button == TWsButton::Left) {
                ActivateForm(form);
                BringToTop(form);
                bool dbl = event.Time - lastDownTime_ <= kDoubleClickTime &&
                           lastDownControl_ == form && !lastWasDouble_ &&
                           std::abs(screen.X - lastDownPos_.X) <= kDoubleClickDistance &&
                           std::abs(screen.Y - lastDownPos_.Y) <= kDoubleClickDistance;
                lastDownTime_ = event.Time;
                lastDownPos_ = screen;
                lastDownControl_ = form;
                lastWasDouble_ = dbl;
                msg = dbl ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN;
            } else if (event.Type == TWsEventType::MouseUp && event.Button == TWsButton::Left)
                msg = WM_NCLBUTTONUP;
            if (msg != 0) {
                TMessage m{msg, static_cast<uintptr_t>(hit), lp, 0};
                if (!PreviewMessage(m))
                    Guard(form, [&] { form->Dispatch(m); });
            }
            return;
        }
        target = hover;
        if (target == nullptr || !target->IsEnabledInParents())
            return;
    }
    TComponentTracker alive(target);
    TPoint local = target->ScreenToClient(screen);
    uintptr_t mk = MkFromShiftState(ShiftFromState(event.State));
    intptr_t lp = MakeLParam(local.X, local.Y);
    TMessage m{0, mk, lp, 0};
    switch (event.Type) {
    case TWsEventType::MouseMove:
        m.Msg = WM_MOUSEMOVE;
        break;
    case TWsEventType::MouseDown: {
        if (TCustomForm* f = target->ParentForm()) {
            ActivateForm(f);
            BringToTop(f);
        }
        bool dbl = event.Button == lastDownButton_ && lastDownControl_ == target &&
                   !lastWasDouble_ && event.Time - lastDownTime_ <= kDoubleClickTime &&
                   std::abs(screen.X - lastDownPos_.X) <= kDoubleClickDistance &&
                   std::abs(screen.Y - lastDownPos_.Y) <= kDoubleClickDistance &&
                   (target->ControlStyle() & csDoubleClicks);
        lastDownTime_ = event.Time;
        lastDownPos_ = screen;
        lastDownButton_ = event.Button;
        lastDownControl_ = target;
        lastWasDouble_ = dbl;
        if (event.Button == TWsButton::Left)
            m.Msg = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        else if (event.Button == TWsButton::Right)
            m.Msg = WM_RBUTTONDOWN;
        else
            return;
        break;
    }
    case TWsEventType::MouseUp:
        if (event.Button == TWsButton::Left)
            m.Msg = WM_LBUTTONUP;
        else if (event.Button == TWsButton::Right)
            m.Msg = WM_RBUTTONUP;
        else
            return;
        break;
    case TWsEventType::MouseWheel: {
        m.Msg = WM_MOUSEWHEEL;
        m.WParam = (static_cast<uintptr_t>(static_cast<uint16_t>(event.WheelDelta)) << 16) | mk;
        m.LParam = MakeLParam(screen.X, screen.Y);
        TCustomForm* f = activeForm_;
        if (f != nullptr && f->ActiveControl() != nullptr)
            target = f->ActiveControl();
        break;
    }
    default:
        return;
    }
    if (PreviewMessage(m))
        return;
    Guard(target, [&] { target->Dispatch(m); });
    if (m.Msg == WM_LBUTTONUP && alive.Exists() && capture_ == target)
        SetCaptureControl(nullptr);
}

// --- Keyboard ---

void TApplication::KeyEvent(const TWsEvent& event) {
    TCustomForm* form = activeForm_;
    if (form == nullptr)
        return;
    bool alt = (event.State & wsAlt) != 0;
    if (event.Type == TWsEventType::KeyUp) {
        DeliverKey(form, alt ? WM_SYSKEYUP : WM_KEYUP, event.Key, event.State);
        return;
    }
    if (event.Key == VK_MENU || event.Key == VK_SHIFT || event.Key == VK_CONTROL) {
        DeliverKey(form, alt && event.Key != VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, event.Key,
                   event.State);
        return;
    }
    DeliverKey(form, alt || event.Key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, event.Key,
               event.State);
    if (alt) {
        // Alt with a character key makes a system character, the way the
        // platform translates it (Alt+Space arrives as ' ').
        int ch = 0;
        if (event.Key == VK_SPACE)
            ch = ' ';
        else if (event.Key >= 'A' && event.Key <= 'Z')
            ch = (event.State & wsShift) ? event.Key : event.Key - 'A' + 'a';
        else if (event.Key >= '0' && event.Key <= '9')
            ch = event.Key;
        if (ch != 0 && activeForm_ != nullptr)
            DeliverKey(activeForm_, WM_SYSCHAR, ch, event.State);
    }
}

void TApplication::CharEvent(const TWsEvent& event) {
    if (event.State & wsAlt)
        return; // Alt characters came as WM_SYSCHAR with their key
    if (activeForm_ != nullptr)
        DeliverKey(activeForm_, WM_CHAR, event.Char, event.State);
}

void TApplication::DeliverKey(TCustomForm* form, uint32_t msg, int key, uint32_t state) {
    TWinControl* target = form->ActiveControl();
    if (target == nullptr || !target->Focused())
        target = form;
    TShiftState shift = ShiftFromState(state) & (ssShift | ssCtrl | ssAlt);
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        dropControlChar_ = false;
    } else if (msg == WM_CHAR && key < 0x20 && dropControlChar_) {
        dropControlChar_ = false;
        return;
    }
    TMessage m{msg, static_cast<uintptr_t>(key), KeyLParam(state), 0};
    if (PreviewMessage(m))
        return;
    TComponentTracker formAlive(form);
    Guard(target, [&] {
        if (form->KeyPreview() && target != form) {
            TMessage preview = m;
            form->Dispatch(preview);
            if (preview.Result != 0)
                return;
        }
        TComponentTracker alive(target);
        target->Dispatch(m);
        if (m.Result != 0 || !formAlive.Exists()) {
            dropControlChar_ = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
            return;
        }
        if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
            bool dialogKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ||
                             key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
            bool wanted = alive.Exists() && target->WantsKey(key);
            if (dialogKey && !wanted) {
                // The dialog used the key: the character it also makes
                // (Tab, Enter, Escape) is not typed into anything.
                dropControlChar_ = true;
                form->Perform(CM_DIALOGKEY, static_cast<uintptr_t>(key),
                              static_cast<intptr_t>(shift));
                return;
            }
        } else if (msg == WM_CHAR && key < 0x20 && !(alive.Exists() && target->WantsChars())) {
            return; // control characters mean nothing to a control that takes no text
        } else if (msg == WM_SYSCHAR ||
                   (msg == WM_CHAR && !(alive.Exists() && target->WantsChars()))) {
            form->Perform(CM_DIALOGCHAR, static_cast<uintptr_t>(key), m.LParam);
        }
    });
}

// --- Timers ---

void TApplication::AddTimer(TTimer* timer) {
    if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end())
        timers_.push_back(timer);
}

void TApplication::RemoveTimer(TTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

int TApplication::FireDueTimers() {
    int fired = 0;
    uint64_t now = WindowSystem().TickCount();
    std::vector<TTimer*> copy = timers_;
    for (TTimer* t : copy) {
        if (std::find(timers_.begin(), timers_.end(), t) == timers_.end())
            continue;
        if (t->Running() && t->DueTime() <= now) {
            ++fired;
            Guard(t, [t, now] { t->Fire(now); });
        }
    }
    return fired;
}

uint32_t TApplication::TimeToNextTimer() {
    uint64_t now = WindowSystem().TickCount();
    uint64_t best = UINT64_MAX;
    for (TTimer* t : timers_)
        if (t->Running())
            best = std::min(best, t->DueTime() > now ? t->DueTime() - now : 0);
    if (best == UINT64_MAX)
        return WS_INFINITE;
    return static_cast<uint32_t>(std::min<uint64_t>(best, WS_INFINITE - 1));
}

// --- Events ---

void TApplication::DispatchEvent(const TWsEvent& event) {
    if (grab_ != nullptr && grab_->HandleEvent(event))
        return;
    switch (event.Type) {
    case TWsEventType::MouseMove:
    case TWsEventType::MouseDown:
    case TWsEventType::MouseUp:
    case TWsEventType::MouseWheel:
        MouseEvent(event);
        break;
    case TWsEventType::KeyDown:
    case TWsEventType::KeyUp:
        KeyEvent(event);
        break;
    case TWsEventType::Char:
        CharEvent(event);
        break;
    case TWsEventType::Close:
        for (TCustomForm* f : std::vector<TCustomForm*>(zOrder_))
            if (f->ScreenWindow() == event.Window) {
                Guard(f, [f] { f->Perform(WM_CLOSE); });
                break;
            }
        break;
    case TWsEventType::Restored:
        for (TCustomForm* f : std::vector<TCustomForm*>(forms_))
            if (f->ScreenWindow() == event.Window) {
                Guard(f, [f] { f->SetWindowState(TWindowState::wsNormal); });
                break;
            }
        break;
    case TWsEventType::Quit:
        Terminate();
        break;
    default:
        break;
    }
}
