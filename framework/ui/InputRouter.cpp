#include "framework/ui/InputRouter.h"

#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "platform/backend/Backend.h"
#include "platform/kernel32/CodePage.h"

#include <algorithm>
#include <cstdlib>

namespace {
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

TInputRouter::TInputRouter(TApplication& application) : FApplication(application) {}

bool TInputRouter::RouteEvent(const TWsEvent& event) {
    // Text that follows an Alt key press is what the key typed; anything
    // else means that the window system types none for it.
    if (FKeyChar != 0 && !(event.Type == TWsEventType::Char && event.Char >= 0x20))
        DeliverKeyChar();
    if (FGrab != nullptr && FGrab->HandleEvent(event))
        return true;
    switch (event.Type) {
    case TWsEventType::MouseMove:
    case TWsEventType::MouseDown:
    case TWsEventType::MouseUp:
    case TWsEventType::MouseWheel:
        MouseEvent(event);
        return true;
    case TWsEventType::KeyDown:
    case TWsEventType::KeyUp:
        KeyEvent(event);
        return true;
    case TWsEventType::Char:
        CharEvent(event);
        return true;
    default:
        return false;
    }
}

void TInputRouter::ControlDestroyed(TControl* control) {
    if (FCapture == control)
        FCapture = nullptr;
    if (FMouseControl == control)
        FMouseControl = nullptr;
    if (FLastDownControl == control)
        FLastDownControl = nullptr;
}

void TInputRouter::FormDestroying(TCustomForm* form) {
    if (FMoving == form)
        FMoving = nullptr;
    if (FCapture != nullptr && FCapture->ParentForm() == form)
        FCapture = nullptr;
    if (FMouseControl != nullptr && FMouseControl->ParentForm() == form)
        FMouseControl = nullptr;
    if (FLastDownControl != nullptr && FLastDownControl->ParentForm() == form)
        FLastDownControl = nullptr;
}

void TInputRouter::FormHidden(TCustomForm* form) {
    if (FCapture != nullptr && FCapture->ParentForm() == form)
        FCapture = nullptr;
}

// --- Mouse ---

void TInputRouter::SetCaptureControl(TControl* control) {
    if (FCapture == control)
        return;
    TControl* old = FCapture;
    FCapture = control;
    if (old != nullptr)
        old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr_t>(control));
}

void TInputRouter::BeginMoveWindow(TCustomForm* form) {
    TPoint p = PointerPos();
    FMoving = form;
    FSizeHit = 0;
    FMoveOffset = Point(p.X - form->Left(), p.Y - form->Top());
    SetCaptureControl(nullptr);
}

TPoint TInputRouter::PointerPos() const {
    // The pointer where the event being handled saw it: later input may
    // already be waiting, and the live position would skip it.
    if (FMouseEventDepth > 0)
        return FEventPos;
    TWsPoint p = WindowSystem().CursorPos();
    return Point(p.X, p.Y);
}

void TInputRouter::BeginSizeWindow(TCustomForm* form, intptr_t hitTest) {
    TPoint p = PointerPos();
    FMoving = form;
    FSizeHit = hitTest;
    FSizeStart = Point(p.X, p.Y);
    FSizeBounds = form->BoundsRect();
    SetCaptureControl(nullptr);
}

void TInputRouter::ContinueMove() {
    if (FMoving == nullptr)
        return;
    if (!WindowSystem().IsKeyDown(VK_LBUTTON)) {
        FMoving = nullptr;
        return;
    }
    TWsPoint p = WindowSystem().CursorPos();
    DragTo(Point(p.X, p.Y));
}

void TInputRouter::DragTo(const TPoint& p) {
    TCustomForm* form = FMoving;
    if (form == nullptr)
        return;
    if (FSizeHit == 0) {
        FApplication.Guard(form, [&] {
            form->SetBounds(p.X - FMoveOffset.X, p.Y - FMoveOffset.Y, form->Width(),
                            form->Height());
        });
        return;
    }
    // The dragged edges follow the pointer; the others stay where they were,
    // also when the size constraints stop the window from shrinking.
    int dx = p.X - FSizeStart.X, dy = p.Y - FSizeStart.Y;
    TRect r = FSizeBounds;
    bool left = FSizeHit == HTLEFT || FSizeHit == HTTOPLEFT || FSizeHit == HTBOTTOMLEFT;
    bool right = FSizeHit == HTRIGHT || FSizeHit == HTTOPRIGHT || FSizeHit == HTBOTTOMRIGHT;
    bool top = FSizeHit == HTTOP || FSizeHit == HTTOPLEFT || FSizeHit == HTTOPRIGHT;
    bool bottom = FSizeHit == HTBOTTOM || FSizeHit == HTBOTTOMLEFT || FSizeHit == HTBOTTOMRIGHT;
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
    int x = left ? FSizeBounds.Right - w : FSizeBounds.Left;
    int y = top ? FSizeBounds.Bottom - h : FSizeBounds.Top;
    FApplication.Guard(form, [&] { form->SetBounds(x, y, w, h); });
}

void TInputRouter::UpdateMouseControl(TControl* control) {
    if (FMouseControl == control)
        return;
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old != nullptr)
        FApplication.Guard(
            old, [old] { old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<intptr_t>(old)); });
    if (control != nullptr && FMouseControl == control) {
        FApplication.Guard(control, [control] {
            control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<intptr_t>(control));
        });
    }
    TCursor cursor = crDefault;
    for (TControl* c = FMouseControl; c != nullptr && cursor == crDefault; c = c->Parent())
        cursor = c->Cursor();
    WindowSystem().SetCursor(WsCursor(cursor));
}

bool TInputRouter::PreviewMessage(TMessage& message) {
    if (!FApplication.OnMessage())
        return false;
    bool handled = false;
    TMessageEvent handler = FApplication.OnMessage();
    handler(message, handled);
    return handled;
}

void TInputRouter::MouseEvent(const TWsEvent& event) {
    TPoint screen = Point(event.X, event.Y);
    struct TDepth {
        int& Depth;
        ~TDepth() { --Depth; }
    } depth{++FMouseEventDepth};
    FEventPos = screen;
    if (FMoving != nullptr) {
        // The window moves under the pointer, and an event's position was
        // measured against where the window stood when it was sent: follow
        // the pointer itself instead.
        TWsPoint pointer = WindowSystem().CursorPos();
        DragTo(Point(pointer.X, pointer.Y));
        if (event.Type == TWsEventType::MouseUp && event.Button == TWsButton::Left)
            FMoving = nullptr;
        return;
    }
    TCustomForm* form = FApplication.FormAt(screen);
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
    if (FApplication.ModalForm() != nullptr && form != FApplication.ModalForm()) {
        form = nullptr;
        hover = nullptr;
    }
    UpdateMouseControl(hover);

    TControl* target = FCapture;
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
                FApplication.ActivateForm(form);
                FApplication.BringToTop(form);
                bool dbl = event.Time - FLastDownTime <= kDoubleClickTime &&
                           FLastDownControl == form && !FLastWasDouble &&
                           std::abs(screen.X - FLastDownPos.X) <= kDoubleClickDistance &&
                           std::abs(screen.Y - FLastDownPos.Y) <= kDoubleClickDistance;
                FLastDownTime = event.Time;
                FLastDownPos = screen;
                FLastDownControl = form;
                FLastWasDouble = dbl;
                msg = dbl ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN;
            } else if (event.Type == TWsEventType::MouseUp && event.Button == TWsButton::Left)
                msg = WM_NCLBUTTONUP;
            if (msg != 0) {
                TMessage m{msg, static_cast<uintptr_t>(hit), lp, 0};
                if (!PreviewMessage(m))
                    FApplication.Guard(form, [&] { form->Dispatch(m); });
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
            FApplication.ActivateForm(f);
            FApplication.BringToTop(f);
        }
        bool dbl = event.Button == FLastDownButton && FLastDownControl == target &&
                   !FLastWasDouble && event.Time - FLastDownTime <= kDoubleClickTime &&
                   std::abs(screen.X - FLastDownPos.X) <= kDoubleClickDistance &&
                   std::abs(screen.Y - FLastDownPos.Y) <= kDoubleClickDistance &&
                   (target->ControlStyle() & csDoubleClicks);
        FLastDownTime = event.Time;
        FLastDownPos = screen;
        FLastDownButton = event.Button;
        FLastDownControl = target;
        FLastWasDouble = dbl;
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
        TCustomForm* f = FApplication.ActiveForm();
        if (f != nullptr && f->ActiveControl() != nullptr)
            target = f->ActiveControl();
        break;
    }
    default:
        return;
    }
    if (PreviewMessage(m))
        return;
    FApplication.Guard(target, [&] { target->Dispatch(m); });
    if (m.Msg == WM_LBUTTONUP && alive.Exists() && FCapture == target)
        SetCaptureControl(nullptr);
}

// --- Keyboard ---

void TInputRouter::KeyEvent(const TWsEvent& event) {
    TCustomForm* form = FApplication.ActiveForm();
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
        // platform translates it (Alt+Space arrives as ' '): the text the
        // key types, or its own character when the window system types
        // none for it (see RouteEvent).
        int ch = 0;
        if (event.Key == VK_SPACE)
            ch = ' ';
        else if (event.Key >= 'A' && event.Key <= 'Z')
            ch = (event.State & wsShift) ? event.Key : event.Key - 'A' + 'a';
        else if (event.Key >= '0' && event.Key <= '9')
            ch = event.Key;
        FKeyChar = ch;
        FKeyCharState = event.State;
    }
}

void TInputRouter::DeliverKeyChar() {
    const int ch = FKeyChar;
    FKeyChar = 0;
    if (FApplication.ActiveForm() != nullptr)
        DeliverKey(FApplication.ActiveForm(), WM_SYSCHAR, ch, FKeyCharState);
}

void TInputRouter::CharEvent(const TWsEvent& event) {
    const bool alt = (event.State & wsAlt) != 0;
    if (alt && event.Char < 0x20)
        return; // Alt with Enter, Tab or Escape types nothing
    // Typed with Alt, the text replaces the key's own character.
    FKeyChar = 0;
    if (FApplication.ActiveForm() != nullptr)
        DeliverKey(FApplication.ActiveForm(), alt ? WM_SYSCHAR : WM_CHAR, event.Char, event.State);
}

void TInputRouter::DeliverKey(TCustomForm* form, uint32_t msg, int key, uint32_t state) {
    TWinControl* target = form->ActiveControl();
    if (target == nullptr || !target->Focused())
        target = form;
    TShiftState shift = ShiftFromState(state) & (ssShift | ssCtrl | ssAlt);
    if ((msg != WM_CHAR && msg != WM_SYSCHAR) || key < 0x20)
        FDialogChars.Reset(); // a key came between the bytes of a character
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        FDropControlChar = false;
    } else if (msg == WM_CHAR && key < 0x20 && FDropControlChar) {
        FDropControlChar = false;
        return;
    }
    TMessage m{msg, static_cast<uintptr_t>(key), KeyLParam(state), 0};
    if (PreviewMessage(m))
        return;
    TComponentTracker formAlive(form);
    FApplication.Guard(target, [&] {
        if (form->KeyPreview() && target != form) {
            TMessage preview = m;
            form->Dispatch(preview);
            if (preview.Result != 0)
                return;
        }
        TComponentTracker alive(target);
        target->Dispatch(m);
        if (m.Result != 0 || !formAlive.Exists()) {
            FDropControlChar = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
            FDialogChars.Reset();
            return;
        }
        if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
            bool dialogKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ||
                             key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
            bool wanted = alive.Exists() && target->WantsKey(key);
            if (dialogKey && !wanted) {
                // The dialog used the key: the character it also makes
                // (Tab, Enter, Escape) is not typed into anything.
                FDropControlChar = true;
                form->Perform(CM_DIALOGKEY, static_cast<uintptr_t>(key),
                              static_cast<intptr_t>(shift));
                return;
            }
        } else if (msg == WM_CHAR && key < 0x20 && !(alive.Exists() && target->WantsChars())) {
            return; // control characters mean nothing to a control that takes no text
        } else if (msg == WM_SYSCHAR ||
                   (msg == WM_CHAR && !(alive.Exists() && target->WantsChars()))) {
            // The dialog hears of whole characters, by their code point,
            // once their last byte has come.
            const std::string typed = FDialogChars.Add(static_cast<char>(key));
            for (size_t i = 0; i < typed.size() && formAlive.Exists(); i = NextCharacter(typed, i))
                form->Perform(CM_DIALOGCHAR, DecodeCharacter(typed, i).CodePoint, m.LParam);
        }
    });
}
