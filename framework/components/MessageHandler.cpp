#include "framework/components/MessageHandler.h"

TMessageHandler::TMessageHandler() : FWindowProc(DefaultWindowProc()) {}

TWndMethod TMessageHandler::DefaultWindowProc() {
    return [this](TMessage& message) { WndProc(message); };
}

void TMessageHandler::Dispatch(TMessage& message) {
    // The handler may replace itself while it runs (a hook unhooking): run a
    // copy so the running code stays alive.
    TWndMethod handler = FWindowProc;
    handler(message);
}

intptr_t TMessageHandler::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    TMessage message{msg, wParam, lParam, 0};
    Dispatch(message);
    return message.Result;
}

void TMessageHandler::SetWindowProc(TWndMethod handler) {
    FWindowProc = handler ? std::move(handler) : DefaultWindowProc();
}

void TMessageHandler::WndProc(TMessage& message) {
    DefaultHandler(message);
}

void TMessageHandler::DefaultHandler(TMessage&) {}
