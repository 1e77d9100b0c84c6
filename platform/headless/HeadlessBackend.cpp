#include "platform/headless/HeadlessBackend.h"

#include "platform/kernel32/Kernel32.h"

#include <algorithm>

namespace {

int PlainKey(int vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk & 0xFF;
    }
}

} // namespace

namespace {

// Live headless backends, oldest first. Backends overlap when one replaces
// another (the new one is made before the old one goes), so Sleep follows the
// newest one alive, and the Sleep that was there before comes back only when
// the last one is gone. Both outlive static destruction, since the
// program-wide backend may be destroyed after them at exit.
std::vector<THeadlessBackend*>& LiveBackends() {
    static auto* live = new std::vector<THeadlessBackend*>;
    return *live;
}

std::function<void(DWORD)>& SleepBeforeHeadless() {
    static auto* previous = new std::function<void(DWORD)>;
    return *previous;
}

} // namespace

THeadlessBackend::THeadlessBackend() {
    if (LiveBackends().empty())
        SleepBeforeHeadless() =
            SetSleepHandler([](DWORD ms) { LiveBackends().back()->AdvanceClock(ms); });
    LiveBackends().push_back(this);
}

THeadlessBackend::~THeadlessBackend() {
    std::vector<THeadlessBackend*>& live = LiveBackends();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (live.empty())
        SetSleepHandler(std::move(SleepBeforeHeadless()));
}

THeadlessBackend::TWindow* THeadlessBackend::Find(TWsWindow window) {
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

const THeadlessBackend::TWindow* THeadlessBackend::Find(TWsWindow window) const {
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

TWsWindow THeadlessBackend::CreateWindow(TWsWindowKind kind, const TWsRect& bounds) {
    TWsWindow id = FNextId++;
    TWindow& w = FWindows[id];
    w.Kind = kind;
    w.Bounds = bounds;
    const int width = std::max(bounds.Width(), 0);
    const int height = std::max(bounds.Height(), 0);
    w.Bounds.Right = bounds.Left + width;
    w.Bounds.Bottom = bounds.Top + height;
    w.Buffers = TWindowBuffers(width, height);
    FStack.push_back(id);
    return id;
}

void THeadlessBackend::DestroyWindow(TWsWindow window) {
    if (Find(window) == nullptr)
        return;
    FWindows.erase(window);
    FStack.erase(std::remove(FStack.begin(), FStack.end(), window), FStack.end());
    if (FGrab == window)
        FGrab = 0;
    // Events already queued for it stay: a real display server may deliver a
    // few for a window that is gone, and the framework must cope.
    if (FFocus == window) {
        FFocus = 0;
        for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
            if (FWindows[*it].Visible) {
                SetFocus(*it);
                break;
            }
    }
}

void THeadlessBackend::SetWindowBounds(TWsWindow window, const TWsRect& bounds) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    const int width = std::max(bounds.Width(), 0);
    const int height = std::max(bounds.Height(), 0);
    const bool resized = width != w->Bounds.Width() || height != w->Bounds.Height();
    w->Buffers.Resize(width, height);
    w->Bounds = TWsRect{bounds.Left, bounds.Top, bounds.Left + width, bounds.Top + height};
    if (resized && w->Visible)
        Post(TWsEvent{.Type = TWsEventType::Expose, .Window = window});
}

void THeadlessBackend::ShowWindow(TWsWindow window, bool visible) {
    TWindow* w = Find(window);
    if (w == nullptr || w->Visible == visible)
        return;
    w->Visible = visible;
    if (visible) {
        w->Minimized = false;
        // Mapping a window restores its contents from the back buffer and
        // hands it the keyboard, as an X server without window manager does.
        w->Buffers.Present(TWsRect{0, 0, w->Bounds.Width(), w->Bounds.Height()});
        Post(TWsEvent{.Type = TWsEventType::Expose, .Window = window});
        SetFocus(window);
    } else if (FFocus == window) {
        TWsWindow next = 0;
        for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
            if (*it != window && FWindows[*it].Visible) {
                next = *it;
                break;
            }
        SetFocus(next);
    }
}

void THeadlessBackend::RaiseWindow(TWsWindow window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    RestackOnTop(window);
    if (w->Visible)
        SetFocus(window);
}

bool THeadlessBackend::MinimizeWindow(TWsWindow window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return false;
    ShowWindow(window, false);
    w->Minimized = true;
    return true;
}

void THeadlessBackend::RestoreFromDesktop(TWsWindow window) {
    TWindow* w = Find(window);
    if (w == nullptr || !w->Minimized)
        return;
    ShowWindow(window, true);
    Post(TWsEvent{.Type = TWsEventType::Restored, .Window = window});
}

void THeadlessBackend::SetWindowTitle(TWsWindow window, const std::string& title) {
    if (TWindow* w = Find(window))
        w->Title = title;
}

void THeadlessBackend::SetWindowShape(TWsWindow window, const TWindowShape& shape) {
    if (TWindow* w = Find(window))
        w->Shape = shape;
}

TWsPixels THeadlessBackend::BackBuffer(TWsWindow window) {
    TWindow* w = Find(window);
    return w == nullptr ? TWsPixels{} : w->Buffers.Back();
}

void THeadlessBackend::Present(TWsWindow window, const TWsRect& rect) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    w->Buffers.Present(rect);
    ++w->Presents;
}

bool THeadlessBackend::WaitEvent(TWsEvent& event, uint32_t timeoutMs) {
    if (FQueue.empty() && FIdleHandler)
        FIdleHandler();
    if (FQueue.empty()) {
        if (timeoutMs != WS_INFINITE)
            FClock += timeoutMs;
        return false;
    }
    event = FQueue.front();
    FQueue.pop_front();
    return true;
}

bool THeadlessBackend::IsKeyDown(int vk) {
    switch (vk) {
    case VK_LBUTTON:
        return (FButtons & wsLeftButton) != 0;
    case VK_RBUTTON:
        return (FButtons & wsRightButton) != 0;
    case VK_MBUTTON:
        return (FButtons & wsMiddleButton) != 0;
    default:
        return FKeys[PlainKey(vk)];
    }
}

bool THeadlessBackend::OpenURL(const std::string& url) {
    if (url.empty())
        return false;
    FOpenedUrls.push_back(url);
    return true;
}

void THeadlessBackend::Post(TWsEvent event) {
    event.Time = FClock;
    FQueue.push_back(event);
}

uint32_t THeadlessBackend::InputState() const {
    uint32_t state = FButtons;
    if (FKeys[VK_SHIFT])
        state |= wsShift;
    if (FKeys[VK_CONTROL])
        state |= wsCtrl;
    if (FKeys[VK_MENU])
        state |= wsAlt;
    return state;
}

TWsWindow THeadlessBackend::WindowAt(int x, int y) const {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
        const TWindow& w = FWindows.at(*it);
        if (w.Visible && w.Shape.WindowContains(w.Bounds.Width(), w.Bounds.Height(),
                                                x - w.Bounds.Left, y - w.Bounds.Top))
            return *it;
    }
    return 0;
}

void THeadlessBackend::PostMouse(TWsEventType type, TWsButton button, int wheel) {
    TWsWindow target = FGrab != 0 ? FGrab : WindowAt(FPointer.X, FPointer.Y);
    if (target == 0)
        return; // over the desktop: nobody hears it
    Post(TWsEvent{.Type = type,
                  .Window = target,
                  .X = FPointer.X,
                  .Y = FPointer.Y,
                  .Button = button,
                  .WheelDelta = wheel,
                  .State = InputState()});
}

void THeadlessBackend::SetFocus(TWsWindow window) {
    if (window == FFocus)
        return;
    if (FFocus != 0)
        Post(TWsEvent{.Type = TWsEventType::FocusLost, .Window = FFocus});
    FFocus = window;
    if (window != 0)
        Post(TWsEvent{.Type = TWsEventType::FocusGained, .Window = window});
}

void THeadlessBackend::RestackOnTop(TWsWindow window) {
    FStack.erase(std::remove(FStack.begin(), FStack.end(), window), FStack.end());
    FStack.push_back(window);
}

void THeadlessBackend::MoveMouse(int x, int y) {
    if (FPointer == TWsPoint{x, y})
        return;
    FPointer = TWsPoint{x, y};
    PostMouse(TWsEventType::MouseMove, TWsButton::Left, 0);
}

void THeadlessBackend::PressButton(TWsButton button) {
    const uint32_t bit = ButtonBit(button);
    if (FButtons & bit)
        return;
    if (FButtons == 0)
        FGrab = WindowAt(FPointer.X, FPointer.Y);
    // As on the platform, the state of a press includes the button pressed and
    // that of a release no longer holds it.
    FButtons |= bit;
    PostMouse(TWsEventType::MouseDown, button, 0);
}

void THeadlessBackend::ReleaseButton(TWsButton button) {
    const uint32_t bit = ButtonBit(button);
    if ((FButtons & bit) == 0)
        return;
    FButtons &= ~bit;
    PostMouse(TWsEventType::MouseUp, button, 0);
    if (FButtons == 0)
        FGrab = 0;
}

void THeadlessBackend::Click(int x, int y, TWsButton button) {
    MoveMouse(x, y);
    PressButton(button);
    ReleaseButton(button);
}

void THeadlessBackend::Wheel(int delta) {
    PostMouse(TWsEventType::MouseWheel, TWsButton::Left, delta);
}

void THeadlessBackend::PressKey(int vk) {
    vk = PlainKey(vk);
    const bool repeat = FKeys[vk];
    FKeys[vk] = true;
    if (FFocus == 0)
        return;
    const uint32_t state = InputState();
    Post(TWsEvent{.Type = TWsEventType::KeyDown,
                  .Window = FFocus,
                  .Key = vk,
                  .Repeat = repeat,
                  .State = state});
    if (unsigned char c = ControlCharForKey(vk, state))
        Post(TWsEvent{.Type = TWsEventType::Char, .Window = FFocus, .Char = c, .State = state});
}

void THeadlessBackend::ReleaseKey(int vk) {
    vk = PlainKey(vk);
    if (!FKeys[vk])
        return;
    FKeys[vk] = false;
    if (FFocus != 0)
        Post(TWsEvent{
            .Type = TWsEventType::KeyUp, .Window = FFocus, .Key = vk, .State = InputState()});
}

void THeadlessBackend::TypeKey(int vk) {
    PressKey(vk);
    ReleaseKey(vk);
}

void THeadlessBackend::TypeText(const std::string& text) {
    if (FFocus == 0)
        return;
    for (unsigned char c : text)
        Post(TWsEvent{
            .Type = TWsEventType::Char, .Window = FFocus, .Char = c, .State = InputState()});
}

void THeadlessBackend::RequestClose(TWsWindow window) {
    if (Find(window) != nullptr)
        Post(TWsEvent{.Type = TWsEventType::Close, .Window = window});
}

void THeadlessBackend::PostQuit() {
    Post(TWsEvent{.Type = TWsEventType::Quit});
}

std::vector<TWsWindow> THeadlessBackend::Windows() const {
    return FStack;
}

bool THeadlessBackend::IsWindowVisible(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w != nullptr && w->Visible;
}

bool THeadlessBackend::IsWindowMinimized(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w != nullptr && w->Minimized;
}

TWsRect THeadlessBackend::WindowBounds(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w ? w->Bounds : TWsRect{};
}

TWsWindowKind THeadlessBackend::WindowKind(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w ? w->Kind : TWsWindowKind::TopLevel;
}

std::string THeadlessBackend::WindowTitle(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w ? w->Title : std::string();
}

TWindowShape THeadlessBackend::WindowShape(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w ? w->Shape : TWindowShape();
}

THeadlessImage THeadlessBackend::Framebuffer(TWsWindow window) const {
    const TWindow* w = Find(window);
    if (w == nullptr)
        return THeadlessImage{};
    return THeadlessImage{w->Buffers.Width(), w->Buffers.Height(), w->Buffers.Front()};
}

int THeadlessBackend::PresentCount(TWsWindow window) const {
    const TWindow* w = Find(window);
    return w ? w->Presents : 0;
}

THeadlessImage THeadlessBackend::Screen() const {
    THeadlessImage screen{FScreen.Width(), FScreen.Height(),
                          std::vector<uint32_t>(static_cast<size_t>(std::max(FScreen.Width(), 0)) *
                                                    std::max(FScreen.Height(), 0),
                                                0)};
    for (TWsWindow id : FStack) {
        const TWindow& w = FWindows.at(id);
        if (!w.Visible)
            continue;
        const TWsRect visible = w.Bounds.Intersect(FScreen);
        for (int y = visible.Top; y < visible.Bottom; ++y)
            for (int x = visible.Left; x < visible.Right; ++x) {
                const int wx = x - w.Bounds.Left;
                const int wy = y - w.Bounds.Top;
                if (!w.Shape.WindowContains(w.Bounds.Width(), w.Bounds.Height(), wx, wy))
                    continue;
                screen.Pixels[static_cast<size_t>(y - FScreen.Top) * screen.Width +
                              (x - FScreen.Left)] = w.Buffers.FrontPixel(wx, wy);
            }
    }
    return screen;
}
