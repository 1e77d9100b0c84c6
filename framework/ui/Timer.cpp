#include "framework/ui/Timer.h"

#include "framework/ui/Application.h"
#include "framework/components/PropertyBuilder.h"
#include "platform/window/Backend.h"

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
    if (enabled_ == value)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
    if (interval_ == value)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& e) {
    onTimer_ = e;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    // Every change starts the count again, as re-creating the platform's
    // timer does.
    bool run = enabled_ && interval_ > 0 && onTimer_.Assigned() && !HasState(csLoading) &&
               !HasState(csDestroying);
    running_ = run;
    if (run) {
        due_ = WindowSystem().TickCount() + interval_;
        Application().AddTimer(this);
    } else if (ApplicationExists()) {
        Application().RemoveTimer(this);
    }
}

void TTimer::Fire(uint64_t now) {
    if (!running_ || firing_)
        return;
    due_ = now + interval_;
    TComponentTracker alive(this);
    firing_ = true;
    // The error box for a failing tick is shown from here, so the timer
    // stays quiet until it is closed.
    Application().Guard(this, [this] { onTimer_(this); });
    if (alive.Exists())
        firing_ = false;
}
