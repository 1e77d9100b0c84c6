#pragma once
// A window system that exists only in memory, for tests and for running
// without a display. Windows keep two pixel buffers: the back buffer the
// framework paints into and the framebuffer, which holds what was presented
// (what a real screen would show). Time is virtual: it stands still until a
// test advances it or the program waits (WaitEvent with a timeout, Sleep).
// Input is injected by the test and routed the way an X server without a
// window manager routes it: mouse events go to the topmost window whose
// shape holds the pointer, and to the pressing window for as long as a button
// is held; the last window shown or raised has the keyboard focus.

#include "platform/window/WindowBuffers.h"
#include "platform/window/WindowSystem.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A copy of pixels, row by row, 0x00RRGGBB.
struct THeadlessImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

class THeadlessBackend : public TWindowSystem {
public:
    // While it exists, Sleep advances this backend's clock instead of waiting
    // (the newest one's, when several exist).
    THeadlessBackend();
    ~THeadlessBackend() override;
    THeadlessBackend(const THeadlessBackend&) = delete;
    THeadlessBackend& operator=(const THeadlessBackend&) = delete;

    // TWindowSystem
    const char* Name() const override { return "headless"; }
    TWsWindow CreateWindow(TWsWindowKind kind, const TWsRect& bounds) override;
    void DestroyWindow(TWsWindow window) override;
    void SetWindowBounds(TWsWindow window, const TWsRect& bounds) override;
    void ShowWindow(TWsWindow window, bool visible) override;
    void RaiseWindow(TWsWindow window) override;
    // The simulated desktop always has a task bar: the window is hidden until
    // ShowWindow or RestoreFromDesktop.
    bool MinimizeWindow(TWsWindow window) override;
    void SetWindowTitle(TWsWindow window, const std::string& title) override;
    void SetWindowShape(TWsWindow window, const TWindowShape& shape) override;
    TWsPixels BackBuffer(TWsWindow window) override;
    void Present(TWsWindow window, const TWsRect& rect) override;
    // With events queued, takes the first without touching the clock. With
    // none, runs the idle handler (if any) once; if that queued nothing either,
    // the clock moves on by `timeoutMs` and the result is false. An endless
    // wait on an empty queue returns false at once: nothing could ever arrive.
    bool WaitEvent(TWsEvent& event, uint32_t timeoutMs) override;
    uint64_t TickCount() override { return FClock; }
    TWsPoint CursorPos() override { return FPointer; }
    void SetCursor(TWsCursor cursor) override { FCursor = cursor; }
    bool IsKeyDown(int vk) override;
    TWsRect WorkArea() override { return FWorkArea; }
    // Records the address; succeeds unless it is empty.
    bool OpenURL(const std::string& url) override;
    std::string ClipboardText() override { return FClipboard; }
    void SetClipboardText(const std::string& text) override { FClipboard = text; }

    // The virtual clock.
    void AdvanceClock(uint64_t milliseconds) { FClock += milliseconds; }
    // Called when the program waits on an empty queue: the place for a
    // scripted driver to inject its next input.
    void SetIdleHandler(std::function<void()> handler) { FIdleHandler = std::move(handler); }

    // The display: the screen (default 1024 by 768 at 0, 0) and its work area
    // (by default the whole screen).
    void SetScreenBounds(const TWsRect& bounds) { FScreen = bounds; }
    void SetWorkArea(const TWsRect& area) { FWorkArea = area; }

    // Input, as a user would give it. Coordinates are screen coordinates.
    void MoveMouse(int x, int y);
    void PressButton(TWsButton button);
    void ReleaseButton(TWsButton button);
    void Click(int x, int y, TWsButton button = TWsButton::Left);
    void Wheel(int delta);
    // VK_LSHIFT and the other sided codes count as their plain key.
    void PressKey(int vk);
    void ReleaseKey(int vk);
    void TypeKey(int vk); // press and release
    // The text as the user types it, in the system's code page: one Char
    // event per byte, lead byte first, to the focused window, as the
    // platform sends a multi-byte character (and as the X11 backend does),
    // with the keys held now in State (Alt for an accelerator). Bytes that
    // are no UTF-8 arrive as they are, for a test of what the receiver
    // makes of them.
    void TypeText(const std::string& text);
    void RequestClose(TWsWindow window);
    // The user gives back a minimised window from the task bar: it is shown
    // and a Restored event follows.
    void RestoreFromDesktop(TWsWindow window);
    void PostQuit();

    // What a test can look at.
    std::vector<TWsWindow> Windows() const; // bottom to top
    bool IsWindowVisible(TWsWindow window) const;
    bool IsWindowMinimized(TWsWindow window) const;
    TWsRect WindowBounds(TWsWindow window) const;
    TWsWindowKind WindowKind(TWsWindow window) const;
    std::string WindowTitle(TWsWindow window) const;
    TWindowShape WindowShape(TWsWindow window) const;
    // The window the simulated display server gives the keyboard to.
    TWsWindow FocusWindow() const { return FFocus; }
    // What was presented (empty for an unknown window), and how often.
    THeadlessImage Framebuffer(TWsWindow window) const;
    int PresentCount(TWsWindow window) const;
    // The screen as it would look: visible windows bottom to top, each showing
    // its framebuffer inside its shape, over a black desktop.
    THeadlessImage Screen() const;
    TWsCursor Cursor() const { return FCursor; }
    const std::vector<std::string>& OpenedUrls() const { return FOpenedUrls; }
    size_t PendingEvents() const { return FQueue.size(); }

private:
    struct TWindow {
        TWsWindowKind Kind = TWsWindowKind::TopLevel;
        TWsRect Bounds;
        bool Visible = false;
        bool Minimized = false;
        std::string Title;
        TWindowShape Shape;
        TWindowBuffers Buffers;
        int Presents = 0;
    };

    TWindow* Find(TWsWindow window);
    const TWindow* Find(TWsWindow window) const;
    TWsWindow WindowAt(int x, int y) const;
    void Post(TWsEvent event);
    void PostMouse(TWsEventType type, TWsButton button, int wheel);
    void SetFocus(TWsWindow window);
    void RestackOnTop(TWsWindow window);
    uint32_t InputState() const;

    std::map<TWsWindow, TWindow> FWindows;
    std::vector<TWsWindow> FStack; // bottom to top
    TWsWindow FNextId = 1;
    TWsWindow FFocus = 0;
    TWsWindow FGrab = 0; // the window that had the press, while a button is held
    std::deque<TWsEvent> FQueue;
    uint64_t FClock = 0;
    std::function<void()> FIdleHandler;
    TWsRect FScreen{0, 0, 1024, 768};
    TWsRect FWorkArea{0, 0, 1024, 768};
    TWsPoint FPointer;
    uint32_t FButtons = 0; // wsLeftButton...
    std::vector<bool> FKeys = std::vector<bool>(256, false);
    TWsCursor FCursor = TWsCursor::Arrow;
    std::string FClipboard;
    std::vector<std::string> FOpenedUrls;
};
