#pragma once
// TApplication: the program's message loop over the window system. It keeps
// the forms (shown ones in z-order, the active and the modal one), hands
// the input events to its input router (InputRouter.h), which turns them
// into messages for the controls, runs the timers on the window system's
// clock and paints what is invalid once the input is handled. An exception
// that escapes any event handler reaches HandleException: OnException when
// assigned, else the error box; then the loop goes on.

#include "framework/components/Components.h"
#include "framework/components/Messages.h"
#include "framework/graphics/PersistentIcon.h"
#include "framework/graphics/Types.h"
#include "framework/ui/InputRouter.h"
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

    // --- Input (the input router does the work) ---
    TControl* CaptureControl() const { return FInput.CaptureControl(); }
    void SetCaptureControl(TControl* control) { FInput.SetCaptureControl(control); }
    TControl* MouseControl() const { return FInput.MouseControl(); }
    void BeginMoveWindow(TCustomForm* form) { FInput.BeginMoveWindow(form); }
    bool MovingWindow() const { return FInput.MovingWindow(); }
    void BeginSizeWindow(TCustomForm* form, intptr_t hitTest) {
        FInput.BeginSizeWindow(form, hitTest);
    }
    void SetInputGrab(TInputGrab* grab) { FInput.SetInputGrab(grab); }
    TInputGrab* InputGrab() const { return FInput.InputGrab(); }

    // --- Timers (TTimer registers itself) ---
    void AddTimer(TTimer* timer);
    void RemoveTimer(TTimer* timer);
    // Fires every due timer; returns how many fired.
    int FireDueTimers();
    // Milliseconds to the next due timer, or WS_INFINITE.
    uint32_t TimeToNextTimer();

    // A control is going away: capture, hover and double-click state forget it.
    void ControlDestroyed(TControl* control) { FInput.ControlDestroyed(control); }
    // Handles one window-system event (what HandleMessage does with it).
    void DispatchEvent(const TWsEvent& event);
    // Paints every form that needs it.
    void PaintForms();
    // Destroys the forms that asked for it (Release, caFree).
    void FreeReleasedForms();
    void QueueRelease(TCustomForm* form);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomForm;
    void FormShown(TCustomForm* form, bool shown);
    void FormDestroying(TCustomForm* form);

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
    TInputRouter FInput;
    std::vector<TTimer*> FTimers;
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
