#pragma once
// TInputRouter: where the window system's input goes. The application hands
// it every mouse, key and character event, and it turns them into messages
// for the controls. It decides which form and control lie under the pointer
// (telling controls when the pointer enters and leaves them), keeps the
// mouse capture and sends the keys to the active form's focused control
// itself (from global coordinates, as the display server cannot be trusted
// with them), detects double clicks, and moves and sizes windows by their
// frame. An input grab (an open menu) sees every event first.

#include "framework/components/Messages.h"
#include "framework/graphics/Types.h"
#include "framework/ui/CharacterJoiner.h"
#include "platform/window/WindowSystem.h"

#include <cstdint>

class TApplication;
class TControl;
class TCustomForm;

// A window that wants the input while it is open (an open menu): it sees
// every event first and says whether it took it.
class TInputGrab {
public:
    virtual ~TInputGrab() = default;
    virtual bool HandleEvent(const TWsEvent& event) = 0;
};

class TInputRouter {
public:
    // Routes for `application`: its forms, its active and modal form, its
    // OnMessage and its exception handling.
    explicit TInputRouter(TApplication& application);
    TInputRouter(const TInputRouter&) = delete;
    TInputRouter& operator=(const TInputRouter&) = delete;

    // Passes an event to the grab and, unless the grab took it, a mouse,
    // key or character event to its control. False for every other event
    // (closing, restoring, quitting), which is the application's.
    bool RouteEvent(const TWsEvent& event);

    // --- Mouse ---
    TControl* CaptureControl() const { return FCapture; }
    // The control that had the capture gets WM_CAPTURECHANGED.
    void SetCaptureControl(TControl* control);
    // The control under the pointer (the last one told CM_MOUSEENTER).
    TControl* MouseControl() const { return FMouseControl; }
    // Moves `form` with the pointer until the left button is released (what
    // WM_NCLBUTTONDOWN with HTCAPTION starts).
    void BeginMoveWindow(TCustomForm* form);
    bool MovingWindow() const { return FMoving != nullptr; }
    // Sizes `form` by the frame edge or corner `hitTest` (HTLEFT ...
    // HTBOTTOMRIGHT) with the pointer until the left button is released.
    void BeginSizeWindow(TCustomForm* form, intptr_t hitTest);
    // While a window is moved or sized and no event comes: follows the
    // pointer where it is now, and ends once the left button is up.
    void ContinueMove();
    // The grab sees events before anything else until it is released.
    void SetInputGrab(TInputGrab* grab) { FGrab = grab; }
    TInputGrab* InputGrab() const { return FGrab; }

    // A control is going away: capture, hover and double-click state forget it.
    void ControlDestroyed(TControl* control);
    // A form is going away: the moving, capture, hover and double-click
    // state forget it and its controls.
    void FormDestroying(TCustomForm* form);
    // A form was hidden: its controls lose the capture.
    void FormHidden(TCustomForm* form);

    // Double clicks: the second press within this time and distance.
    static constexpr uint64_t kDoubleClickTime = 500;
    static constexpr int kDoubleClickDistance = 4;

private:
    void MouseEvent(const TWsEvent& event);
    void KeyEvent(const TWsEvent& event);
    void CharEvent(const TWsEvent& event);
    // Delivers the system character an Alt key press left pending.
    void DeliverKeyChar();
    void UpdateMouseControl(TControl* control);
    // OnMessage's say: whether it handled the message.
    bool PreviewMessage(TMessage& message);
    void DeliverKey(TCustomForm* form, uint32_t msg, int key, uint32_t state);
    void DragTo(const TPoint& screenPoint);
    TPoint PointerPos() const;

    TApplication& FApplication;
    TControl* FCapture = nullptr;
    TControl* FMouseControl = nullptr;
    TCustomForm* FMoving = nullptr;
    TPoint FMoveOffset{};
    int FMouseEventDepth = 0;
    TPoint FEventPos{};
    intptr_t FSizeHit = 0; // non-zero while FMoving is being sized, not moved
    TPoint FSizeStart{};
    TRect FSizeBounds{};
    TInputGrab* FGrab = nullptr;
    // Double-click detection.
    uint64_t FLastDownTime = 0;
    TPoint FLastDownPos{};
    TWsButton FLastDownButton = TWsButton::Left;
    TControl* FLastDownControl = nullptr;
    bool FLastWasDouble = false;
    // The key just handled made a control character nobody should type.
    bool FDropControlChar = false;
    // The character of the letter, digit or space key last pressed with
    // Alt, until it is known whether the window system types text for the
    // key (then the text is the system character: the A key of a Cyrillic
    // layout makes "ф", not "a") or not (then the key's own character is).
    int FKeyChar = 0;
    uint32_t FKeyCharState = 0;
    // The bytes of a character offered to the dialog (CM_DIALOGCHAR brings
    // whole characters).
    TCharacterJoiner FDialogChars;
};
