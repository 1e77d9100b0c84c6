#pragma once
// TApplication: the program's message loop over the window system. It turns
// the window system's events into messages for the controls: it decides
// which form and control lie under the pointer, keeps the mouse capture and
// the keyboard focus itself (from global coordinates, as the display server
// cannot be trusted with them), detects double clicks, runs the timers on
// the window system's clock and paints what is invalid once the input is
// handled. An exception that escapes any event handler reaches
// HandleException: OnException when assigned, else the error box; then the
// loop goes on.

#include "framework/components/Components.h"
#include "framework/components/Messages.h"
#include "framework/graphics/PersistentIcon.h"
#include "framework/graphics/Types.h"
#include "platform/window/WindowSystem.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TTimer;

using TExceptionEvent = TEvent<TObject*, const std::exception&>;

// A window that wants the input while it is open (an open menu): it sees
// every event first and says whether it took it.
class TInputGrab {
public:
    virtual ~TInputGrab() = default;
    virtual bool HandleEvent(const TWsEvent& event) = 0;
};

class TApplication : public TComponent {
    SSI_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    // The program's icon (what a title bar draws as the application icon,
    // and what a form without an icon of its own shows); it takes the same
    // stored data as a form's Icon.
    TPersistentIcon& Icon() { return FIcon; }
    TCustomForm* MainForm() const { return FMainForm; }
    // Creates a form of class F owned by the application; the first one
    // becomes the main form.
    template <class F> F* CreateForm() {
        F* form = new F(this);
        AddCreatedForm(form);
        return form;
    }
    void AddCreatedForm(TCustomForm* form);
    void SetMainForm(TCustomForm* form) { FMainForm = form; }

    // Shows the main form and handles messages until Terminate.
    void Run();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Handles everything that is pending (events, due timers, painting)
    // without waiting.
    void ProcessMessages();
    // Handles the next event, waiting for one (or the next timer) when none
    // is pending; paints before waiting.
    // False when nothing could ever arrive (no timer, nothing to wait for).
    bool HandleMessage();

    // Sees every input message before its control (see Messages.h).
    const TMessageEvent& OnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent handler) { FOnMessage = std::move(handler); }
    TExceptionEvent& OnException() { return FOnException; }
    void SetOnException(const TExceptionEvent& e) { FOnException = e; }
    // Runs `action` and handles what escapes it as HandleException would.
    void Guard(TObject* sender, const std::function<void()>& action);
    // The exception being handled (call from a catch block).
    void HandleException(TObject* sender);
    // The default handler: the error box with the message (a full stop
    // appended when its last character sorts after "."), titled Title.
    void ShowException(const std::exception& e);

    // --- Forms ---
    const std::vector<TCustomForm*>& Forms() const { return FForms; }
    // Forms whose windows are shown, bottom to top.
    const std::vector<TCustomForm*>& ZOrder() const { return FZOrder; }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    // The innermost form being shown modally (only it takes input), or null.
    TCustomForm* ModalForm() const { return FModalStack.empty() ? nullptr : FModalStack.back(); }
    void ActivateForm(TCustomForm* form);
    // The topmost shown form whose window holds the screen point.
    TCustomForm* FormAt(const TPoint& screenPoint) const;
    void BringToTop(TCustomForm* form);

    // --- Mouse ---
    TControl* CaptureControl() const { return FCapture; }
    void SetCaptureControl(TControl* control);
    TControl* MouseControl() const { return FMouseControl; }
    // Moves `form` with the pointer until the left button is released (what
    // WM_NCLBUTTONDOWN with HTCAPTION starts).
    void BeginMoveWindow(TCustomForm* form);
    bool MovingWindow() const { return FMoving != nullptr; }
    // Sizes `form` by the frame edge or corner `hitTest` (HTLEFT ...
    // HTBOTTOMRIGHT) with the pointer until the left button is released.
    void BeginSizeWindow(TCustomForm* form, intptr_t hitTest);
    // The grab sees events before anything else until it is released.
    void SetInputGrab(TInputGrab* grab) { FGrab = grab; }
    TInputGrab* InputGrab() const { return FGrab; }

    // --- Timers (TTimer registers itself) ---
    void AddTimer(TTimer* timer);
    void RemoveTimer(TTimer* timer);
    // Fires every due timer; returns how many fired.
    int FireDueTimers();
    // Milliseconds to the next due timer, or WS_INFINITE.
    uint32_t TimeToNextTimer();

    // A control is going away: capture, hover and double-click state forget it.
    void ControlDestroyed(TControl* control);
    // Handles one window-system event (what HandleMessage does with it).
    void DispatchEvent(const TWsEvent& event);
    // Paints every form that needs it.
    void PaintForms();
    // Destroys the forms that asked for it (Release, caFree).
    void FreeReleasedForms();
    void QueueRelease(TCustomForm* form);

    // Double clicks: the second press within this time and distance.
    static constexpr uint64_t kDoubleClickTime = 500;
    static constexpr int kDoubleClickDistance = 4;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomForm;
    void FormShown(TCustomForm* form, bool shown);
    void FormDestroying(TCustomForm* form);
    void MouseEvent(const TWsEvent& event);
    void KeyEvent(const TWsEvent& event);
    void CharEvent(const TWsEvent& event);
    void UpdateMouseControl(TControl* control);
    bool PreviewMessage(TMessage& message);
    void DeliverKey(TCustomForm* form, uint32_t msg, int key, uint32_t state);
    void ContinueMove();
    void DragTo(const TPoint& screenPoint);
    TPoint PointerPos() const;

    std::string FTitle;
    TPersistentIcon FIcon;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    TMessageEvent FOnMessage;
    TExceptionEvent FOnException;
    std::vector<TCustomForm*> FForms;
    std::vector<TCustomForm*> FZOrder;
    std::vector<TCustomForm*> FReleasing;
    std::vector<TCustomForm*> FModalStack;
    TCustomForm* FActiveForm = nullptr;
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
    std::vector<TTimer*> FTimers;
    // Double-click detection.
    uint64_t FLastDownTime = 0;
    TPoint FLastDownPos{};
    TWsButton FLastDownButton = TWsButton::Left;
    TControl* FLastDownControl = nullptr;
    bool FLastWasDouble = false;
    // The key just handled made a control character nobody should type.
    bool FDropControlChar = false;
};

// The program's application object, created on first use.
TApplication& Application();
// Destroys the application object and its forms (tests start afresh).
void ResetApplication();
bool ApplicationExists();

// The message's text as the error box shows it: a full stop is appended when
// the last character sorts after "." ("Disk full" and "Why?" get one,
// "Done." and "Stop!" do not).
std::string ErrorBoxText(const std::string& message);
