#include "framework/ui/Timer.h"

#include "framework/ui/Application.h"
#include "framework/components/PropertyBuilder.h"
#include "platform/backend/Backend.h"

SSI_DEFINE_CLASS(TTimer, TComponent)

void TTimer::DeclarePublished(TPropertyBuilder& p) {
    p.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
        .Default(1)
        .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval)
        .Default(1000)
        .Event("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    if (ApplicationExists())
        Application().RemoveTimer(this);
}

void TTimer::SetEnabled(bool value) {
    if (FEnabled == value)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
    if (FInterval == value)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& e) {
    FOnTimer = e;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    // Every change starts the count again, as re-creating the platform's
    // timer does.
    bool run = FEnabled && FInterval > 0 && FOnTimer.Assigned() && !HasState(csLoading) &&
               !HasState(csDestroying);
    FRunning = run;
    if (run) {
        FDue = WindowSystem().TickCount() + FInterval;
        Application().AddTimer(this);
    } else if (ApplicationExists()) {
        Application().RemoveTimer(this);
    }
}

void TTimer::Fire(uint64_t now) {
    if (!FRunning || FFiring)
        return;
    FDue = now + FInterval;
    TComponentTracker alive(this);
    FFiring = true;
    // The error box for a failing tick is shown from here, so the timer
    // stays quiet until it is closed.
    Application().Guard(this, [this] { FOnTimer(this); });
    if (alive.Exists())
        FFiring = false;
}
