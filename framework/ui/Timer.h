#pragma once
// TTimer: fires OnTimer every Interval milliseconds of the window system's
// clock from the message loop, while Enabled, the interval is above 0 and a
// handler is assigned. A tick that is late is not made up: the next one is
// one interval after the tick that fired.

#include "framework/components/Components.h"

#include <cstdint>

class TTimer : public TComponent {
    SSI_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    static void DeclarePublished(TPropertyBuilder& p);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t value);
    TNotifyEvent& OnTimer() { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& e);

    // Whether the timer is counting now.
    bool Running() const { return FRunning; }
    uint64_t DueTime() const { return FDue; }
    // Called by the application when the due time has come. A timer whose
    // handler is still running (it showed a dialog, or an error box is up
    // for it) does not fire again until the handler returns.
    void Fire(uint64_t now);

protected:
    void Loaded() override;

private:
    void UpdateTimer();

    bool FEnabled = true;
    uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FRunning = false;
    bool FFiring = false;
    uint64_t FDue = 0;
};
