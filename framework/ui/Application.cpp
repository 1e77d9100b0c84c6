#include "framework/ui/Application.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/ErrorBox.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Timer.h"
#include "platform/backend/Backend.h"

#include <algorithm>
#include <memory>

namespace {
std::unique_ptr<TApplication>& Instance() {
    static std::unique_ptr<TApplication> app;
    return app;
}
bool resetting = false;
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

TApplication::TApplication(TComponent* owner) : TComponent(owner), FInput(*this) {}

TApplication::~TApplication() {
    // Owned forms are destroyed by TComponent; make sure none of them
    // calls back into a half-destroyed application.
    resetting = true;
    FTimers.clear();
    while (ComponentCount() > 0)
        Component(ComponentCount() - 1)->Free();
    resetting = false;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
}

void TApplication::AddCreatedForm(TCustomForm* form) {
    if (FMainForm == nullptr)
        FMainForm = form;
}

void TApplication::FormDestroying(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    FZOrder.erase(std::remove(FZOrder.begin(), FZOrder.end(), form), FZOrder.end());
    FReleasing.erase(std::remove(FReleasing.begin(), FReleasing.end(), form), FReleasing.end());
    FModalStack.erase(std::remove(FModalStack.begin(), FModalStack.end(), form), FModalStack.end());
    if (FActiveForm == form)
        FActiveForm = nullptr;
    if (FMainForm == form)
        FMainForm = nullptr;
    FInput.FormDestroying(form);
}

// --- Running ---

void TApplication::Run() {
    if (FMainForm != nullptr && !FMainForm->Visible())
        Guard(FMainForm, [this] { FMainForm->ShowForm(); });
    while (!FTerminated) {
        if (!HandleMessage())
            break;
        if (FMainForm == nullptr)
            break;
    }
    PaintForms();
}

void TApplication::ProcessMessages() {
    TWsEvent event;
    FreeReleasedForms();
    FireDueTimers();
    while (!FTerminated && WindowSystem().WaitEvent(event, 0)) {
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
    if (FInput.MovingWindow())
        timeout = std::min<uint32_t>(timeout, 10);
    if (WindowSystem().WaitEvent(event, timeout)) {
        DispatchEvent(event);
        return true;
    }
    if (FInput.MovingWindow())
        FInput.ContinueMove();
    if (FireDueTimers() > 0)
        return true;
    // An endless wait that came back empty: nothing will ever arrive.
    return timeout != WS_INFINITE || FInput.MovingWindow();
}

void TApplication::PaintForms() {
    std::vector<TCustomForm*> copy = FZOrder;
    for (TCustomForm* form : copy) {
        if (std::find(FZOrder.begin(), FZOrder.end(), form) == FZOrder.end())
            continue;
        Guard(form, [form] { form->PaintNow(); });
    }
}

void TApplication::QueueRelease(TCustomForm* form) {
    if (std::find(FReleasing.begin(), FReleasing.end(), form) == FReleasing.end())
        FReleasing.push_back(form);
}

void TApplication::FreeReleasedForms() {
    while (!FReleasing.empty()) {
        TCustomForm* form = FReleasing.back();
        FReleasing.pop_back();
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
        if (FOnException.Assigned())
            FOnException(sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (FOnException.Assigned())
            FOnException(sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    ShowErrorBox(ErrorBoxText(e.what()), FTitle);
}

// --- Forms ---

void TApplication::FormShown(TCustomForm* form, bool shown) {
    auto it = std::find(FZOrder.begin(), FZOrder.end(), form);
    if (shown) {
        if (it == FZOrder.end())
            FZOrder.push_back(form);
        return;
    }
    if (it != FZOrder.end())
        FZOrder.erase(it);
    FInput.FormHidden(form);
    if (FActiveForm == form) {
        form->SetActive(false);
        FActiveForm = nullptr;
        for (auto r = FZOrder.rbegin(); r != FZOrder.rend(); ++r)
            if ((*r)->Visible() && (*r)->Enabled()) {
                ActivateForm(*r);
                break;
            }
    }
}

void TApplication::ActivateForm(TCustomForm* form) {
    if (FActiveForm == form)
        return;
    // While a modal form is up, no other form takes the keyboard.
    if (ModalForm() != nullptr && form != ModalForm())
        return;
    TCustomForm* old = FActiveForm;
    FActiveForm = form;
    if (old != nullptr)
        Guard(old, [old] { old->SetActive(false); });
    if (form != nullptr)
        Guard(form, [form] { form->SetActive(true); });
}

TCustomForm* TApplication::FormAt(const TPoint& p) const {
    for (auto it = FZOrder.rbegin(); it != FZOrder.rend(); ++it) {
        TCustomForm* f = *it;
        if (f->Visible() && f->ScreenWindow() != 0 && f->ContainsScreenPoint(p) &&
            f->WindowState() != TWindowState::wsMinimized)
            return f;
    }
    return nullptr;
}

void TApplication::BringToTop(TCustomForm* form) {
    auto it = std::find(FZOrder.begin(), FZOrder.end(), form);
    if (it != FZOrder.end()) {
        FZOrder.erase(it);
        FZOrder.push_back(form);
    }
    if (form->ScreenWindow() != 0)
        WindowSystem().RaiseWindow(form->ScreenWindow());
}

// --- Timers ---

void TApplication::AddTimer(TTimer* timer) {
    if (std::find(FTimers.begin(), FTimers.end(), timer) == FTimers.end())
        FTimers.push_back(timer);
}

void TApplication::RemoveTimer(TTimer* timer) {
    FTimers.erase(std::remove(FTimers.begin(), FTimers.end(), timer), FTimers.end());
}

int TApplication::FireDueTimers() {
    int fired = 0;
    uint64_t now = WindowSystem().TickCount();
    std::vector<TTimer*> copy = FTimers;
    for (TTimer* t : copy) {
        if (std::find(FTimers.begin(), FTimers.end(), t) == FTimers.end())
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
    for (TTimer* t : FTimers)
        if (t->Running())
            best = std::min(best, t->DueTime() > now ? t->DueTime() - now : 0);
    if (best == UINT64_MAX)
        return WS_INFINITE;
    return static_cast<uint32_t>(std::min<uint64_t>(best, WS_INFINITE - 1));
}

// --- Events ---

void TApplication::DispatchEvent(const TWsEvent& event) {
    if (FInput.RouteEvent(event))
        return;
    switch (event.Type) {
    case TWsEventType::Close:
        for (TCustomForm* f : std::vector<TCustomForm*>(FZOrder))
            if (f->ScreenWindow() == event.Window) {
                Guard(f, [f] { f->Perform(WM_CLOSE); });
                break;
            }
        break;
    case TWsEventType::Restored:
        for (TCustomForm* f : std::vector<TCustomForm*>(FForms))
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
