#pragma once
// The window system on a real X display, through the X client library that
// TXLibrary loads at run time (nothing of X is linked).
//
// Every window is an undecorated X window whose pixels come from its back
// buffer: Present puts a rectangle of it (XPutImage) into a pixmap that the
// server keeps as the window's background, and has the server show it; so
// when the server loses a window's contents (Expose) it puts them back
// itself, as last presented, before the framework hears of the event.
// Popup windows are override-redirect (on top, no task bar entry, never
// managed). A window's shape is set with the shape extension when libXext
// is there.
//
// Key events carry the virtual key of the key cap; text comes through the
// X input method when one can be opened, else from the key symbols. SIGINT
// and SIGTERM become Quit events (a second one ends the program at once),
// and a lost connection to the display ends the program with one line on
// standard error and status 1: a session that ended takes its programs
// with it.

#include "platform/window/WindowSystem.h"

#include <memory>

class TX11Backend : public TWindowSystem {
public:
    // Loads the X library and connects to $DISPLAY; throws
    // std::runtime_error saying which of the two failed and why.
    TX11Backend();
    ~TX11Backend() override;
    TX11Backend(const TX11Backend&) = delete;
    TX11Backend& operator=(const TX11Backend&) = delete;

    const char* Name() const override { return "x11"; }
    TWsWindow CreateWindow(TWsWindowKind kind, const TWsRect& bounds) override;
    void DestroyWindow(TWsWindow window) override;
    void SetWindowBounds(TWsWindow window, const TWsRect& bounds) override;
    void ShowWindow(TWsWindow window, bool visible) override;
    void RaiseWindow(TWsWindow window) override;
    bool MinimizeWindow(TWsWindow window) override;
    void SetWindowTitle(TWsWindow window, const std::string& title) override;
    void SetWindowShape(TWsWindow window, const TWindowShape& shape) override;
    TWsPixels BackBuffer(TWsWindow window) override;
    void Present(TWsWindow window, const TWsRect& rect) override;
    bool WaitEvent(TWsEvent& event, uint32_t timeoutMs) override;
    uint64_t TickCount() override;
    TWsPoint CursorPos() override;
    void SetCursor(TWsCursor cursor) override;
    bool IsKeyDown(int vk) override;
    TWsRect WorkArea() override;
    bool OpenURL(const std::string& url) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

    struct TState;

private:
    std::unique_ptr<TState> FState;
};
