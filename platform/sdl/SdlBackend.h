#pragma once
// The window system on real windows through SDL2 (X11 in practice).
//
// Every window is borderless and made as an SDL shaped window, so its outline
// can follow the form's region at any time; popup windows are SDL popup-menu
// windows (override-redirect on X11: on top, no task-bar entry). The back
// buffer lives here; Present copies a rectangle of it to the screen and keeps
// a copy of what was presented, so that when the display server loses a
// window's contents (Expose) they are put back before the framework hears of
// the event. Showing a window presents its whole back buffer.
//
// Framebuffer acceleration is switched off before SDL's video starts: with it
// the window surface goes through OpenGL, which silently re-creates the window
// (losing its shape and position) and costs tens of milliseconds at start-up.

#include "platform/window/WindowSystem.h"

#include <memory>

class TSdlBackend : public TWindowSystem {
public:
    // Starts SDL's video subsystem; throws std::runtime_error with SDL's reason
    // when there is no display to talk to. SDL's state is process-wide, so
    // only one TSdlBackend may exist at a time. SDL turns SIGINT and SIGTERM
    // into Quit events from here on.
    TSdlBackend();
    ~TSdlBackend() override;
    TSdlBackend(const TSdlBackend&) = delete;
    TSdlBackend& operator=(const TSdlBackend&) = delete;

    const char* Name() const override { return "sdl"; }
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

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

// The Windows virtual-key code of an SDL key (keycode and scancode), 0 when
// the key has none. Layout-dependent punctuation is mapped by its position.
int VirtualKeyFromSdl(int keycode, int scancode);
