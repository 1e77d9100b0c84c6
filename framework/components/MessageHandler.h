#pragma once
// Message dispatch. A class that receives messages derives from
// TMessageHandler and has exactly one message switch, its WndProc override,
// which handles what concerns it and passes everything else to the inherited
// WndProc:
//
//     void TsuiImagePanel::WndProc(TMessage& message) {
//         switch (message.Msg) {
//         case WM_ERASEBKGND:
//             message.Result = 1;  // never erased separately
//             return;
//         }
//         inherited::WndProc(message);
//     }
//
// Messages are delivered through WindowProc, a replaceable handler that
// starts out as the object's own WndProc. Another object can hook it and
// chain to what it replaced (the skinned form hooks its host form this way):
//
//     FPrevious = host->WindowProc();
//     host->SetWindowProc([this](TMessage& m) { HostWndProc(m); });
//     ...   // in HostWndProc: FPrevious(m);
//     host->SetWindowProc(FPrevious);   // unhooking, before the hook dies
//
// Hooks are unhooked in the reverse order of hooking; a hook must unhook
// itself before it is destroyed.

#include "framework/components/Messages.h"

class TMessageHandler {
public:
    TMessageHandler();
    virtual ~TMessageHandler() = default;
    TMessageHandler(const TMessageHandler&) = delete;
    TMessageHandler& operator=(const TMessageHandler&) = delete;

    // Delivers `message` through WindowProc.
    void Dispatch(TMessage& message);
    // Delivers a new message through WindowProc and returns its Result.
    intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

    const TWndMethod& WindowProc() const { return FWindowProc; }
    // Replaces the handler; an empty one puts the object's own WndProc back.
    void SetWindowProc(TWndMethod handler);
    // The object's own handler, whatever WindowProc currently is.
    TWndMethod DefaultWindowProc();

protected:
    // The one message switch of the class. The base passes everything to
    // DefaultHandler.
    virtual void WndProc(TMessage& message);
    // Messages nobody handled; the base leaves Result as it is.
    virtual void DefaultHandler(TMessage& message);

private:
    TWndMethod FWindowProc;
};
