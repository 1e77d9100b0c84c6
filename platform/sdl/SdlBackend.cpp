#include "platform/sdl/SdlBackend.h"

#include "platform/sdl/X11Display.h"
#include "platform/window/CodePage.h"
#include "platform/window/WindowBuffers.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_shape.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <map>
#include <stdexcept>
#include <vector>

struct TSdlBackend::TState {
    struct TWindow {
        SDL_Window* Handle = nullptr;
        TWsWindowKind Kind = TWsWindowKind::TopLevel;
        bool Shapeable = false;
        TWsRect Bounds;
        TWindowShape Shape;
        TWindowBuffers Buffers; // the front buffer restores contents the server lost
    };

    std::map<TWsWindow, TWindow> Windows;
    std::deque<TWsEvent> Pending; // one SDL event can make several of ours
    std::array<bool, 256> Keys{};
    uint32_t Buttons = 0;
    std::map<TWsCursor, SDL_Cursor*> Cursors;
    std::unique_ptr<TX11Display> X11; // only on X11

    // The pointer's screen position and held buttons (ws* bits).
    TWsPoint QueryPointer(uint32_t& buttons) {
        int x = 0, y = 0;
        uint32_t xButtons = 0;
        if (X11 && X11->QueryPointer(x, y, xButtons)) {
            buttons = ((xButtons & 1) ? wsLeftButton : 0) | ((xButtons & 2) ? wsMiddleButton : 0) |
                      ((xButtons & 4) ? wsRightButton : 0);
            return TWsPoint{x, y};
        }
        const Uint32 mask = SDL_GetGlobalMouseState(&x, &y);
        buttons = ((mask & SDL_BUTTON_LMASK) ? wsLeftButton : 0) |
                  ((mask & SDL_BUTTON_MMASK) ? wsMiddleButton : 0) |
                  ((mask & SDL_BUTTON_RMASK) ? wsRightButton : 0);
        return TWsPoint{x, y};
    }

    TWindow* Find(TWsWindow window) {
        auto it = Windows.find(window);
        return it == Windows.end() ? nullptr : &it->second;
    }
};

namespace {

uint32_t ModifierState(uint16_t mod) {
    uint32_t state = 0;
    if (mod & KMOD_SHIFT)
        state |= wsShift;
    if (mod & KMOD_CTRL)
        state |= wsCtrl;
    if (mod & KMOD_ALT)
        state |= wsAlt;
    return state;
}

bool ButtonFromSdl(uint8_t sdlButton, TWsButton& button) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        button = TWsButton::Left;
        return true;
    case SDL_BUTTON_RIGHT:
        button = TWsButton::Right;
        return true;
    case SDL_BUTTON_MIDDLE:
        button = TWsButton::Middle;
        return true;
    default:
        return false;
    }
}

SDL_SystemCursor SdlCursor(TWsCursor cursor) {
    switch (cursor) {
    case TWsCursor::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case TWsCursor::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    case TWsCursor::Cross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case TWsCursor::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case TWsCursor::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case TWsCursor::SizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case TWsCursor::SizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case TWsCursor::SizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case TWsCursor::SizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case TWsCursor::No:
        return SDL_SYSTEM_CURSOR_NO;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// SDL wants a shape surface of exactly the window's size. Outside the shape's
// extent is outside, and "no shape" is the whole window.
void ApplyShape(SDL_Window* handle, const TWindowShape& shape, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
    if (mask == nullptr)
        return;
    SDL_Color colours[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(mask->format->palette, colours, 0, 2);
    for (int y = 0; y < height; ++y) {
        uint8_t* row =
            static_cast<uint8_t*>(mask->pixels) + static_cast<ptrdiff_t>(y) * mask->pitch;
        for (int x = 0; x < width; ++x)
            row[x] = shape.WindowContains(width, height, x, y) ? 1 : 0;
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeColorKey;
    mode.parameters.colorKey = SDL_Color{0, 0, 0, 255};
    SDL_SetWindowShape(handle, mask, &mode);
    SDL_FreeSurface(mask);
}

// Copies rectangle `r` of the window's front buffer to its surface and shows
// it.
void Blit(SDL_Window* handle, const TWindowBuffers& buffers, TWsRect r) {
    const int width = buffers.Width();
    SDL_Surface* screen = SDL_GetWindowSurface(handle);
    if (screen == nullptr)
        return;
    r = r.Intersect(TWsRect{0, 0, screen->w, screen->h})
            .Intersect(TWsRect{0, 0, width, buffers.Height()});
    if (r.IsEmpty())
        return;
    const uint32_t* source =
        buffers.Front().data() + static_cast<ptrdiff_t>(r.Top) * width + r.Left;
    uint8_t* target = static_cast<uint8_t*>(screen->pixels) +
                      static_cast<ptrdiff_t>(r.Top) * screen->pitch +
                      static_cast<ptrdiff_t>(r.Left) * screen->format->BytesPerPixel;
    if (SDL_MUSTLOCK(screen))
        SDL_LockSurface(screen);
    SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_RGB888, source, width * 4,
                      screen->format->format, target, screen->pitch);
    if (SDL_MUSTLOCK(screen))
        SDL_UnlockSurface(screen);
    SDL_Rect area{r.Left, r.Top, r.Width(), r.Height()};
    SDL_UpdateWindowSurfaceRects(handle, &area, 1);
}

} // namespace

int VirtualKeyFromSdl(int keycode, int scancode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return '0' + (keycode - SDLK_0);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return VK_F1 + (keycode - SDLK_F1);
    if (keycode >= SDLK_F13 && keycode <= SDLK_F24)
        return VK_F1 + 12 + (keycode - SDLK_F13);
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (keycode - SDLK_KP_1);
    switch (keycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_SCROLLLOCK:
        return VK_SCROLL;
    case SDLK_PRINTSCREEN:
        return VK_SNAPSHOT;
    case SDLK_HELP:
        return VK_HELP;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_LGUI:
        return VK_LWIN;
    case SDLK_RGUI:
        return VK_RWIN;
    case SDLK_APPLICATION:
        return VK_APPS;
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
        return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
        return VK_DIVIDE;
    default:
        break;
    }
    // Letters of other layouts and punctuation: by the key's place on a US board.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    switch (scancode) {
    case SDL_SCANCODE_SEMICOLON:
        return VK_OEM_1;
    case SDL_SCANCODE_EQUALS:
        return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA:
        return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS:
        return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD:
        return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
        return VK_OEM_2;
    case SDL_SCANCODE_GRAVE:
        return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET:
        return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH:
        return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET:
        return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE:
        return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH:
        return VK_OEM_102;
    default:
        return 0;
    }
}

TSdlBackend::TSdlBackend() : FState(std::make_unique<TState>()) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The framework decides when the program ends; a close request of the last
    // window must not turn into a quit on its own.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // SDL drops a click that it processes within 10 ms of the window's focus
    // event, which is any click made before the program next looks at its
    // queue after showing a window. The platform delivers such clicks.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    TX11Display::TolerateLateWakeups();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot start the window system: ") + SDL_GetError());
    SDL_StartTextInput();
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0)
        FState->X11 = std::make_unique<TX11Display>();
}

TSdlBackend::~TSdlBackend() {
    for (auto& [id, w] : FState->Windows)
        SDL_DestroyWindow(w.Handle);
    FState->Windows.clear();
    for (auto& [shape, cursor] : FState->Cursors)
        SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TWsWindow TSdlBackend::CreateWindow(TWsWindowKind kind, const TWsRect& bounds) {
    const int width = std::max(bounds.Width(), 1);
    const int height = std::max(bounds.Height(), 1);
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (kind == TWsWindowKind::Popup)
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    // A shaped window starts off screen and jumps to the position given here
    // when it gets its first shape; giving it a whole-window shape at once and
    // then placing it ourselves keeps that out of the framework's way.
    bool shapeable = true;
    SDL_Window* handle = SDL_CreateShapedWindow("", 0, 0, width, height, flags);
    if (handle == nullptr) {
        // Drivers without shapes (the dummy driver) still get plain windows.
        shapeable = false;
        handle = SDL_CreateWindow("", bounds.Left, bounds.Top, width, height, flags);
    }
    if (handle == nullptr)
        throw std::runtime_error(std::string("Cannot create a window: ") + SDL_GetError());
    if (shapeable)
        ApplyShape(handle, TWindowShape(), width, height);
    SDL_SetWindowPosition(handle, bounds.Left, bounds.Top);

    TWsWindow id = SDL_GetWindowID(handle);
    TState::TWindow& w = FState->Windows[id];
    w.Handle = handle;
    w.Kind = kind;
    w.Shapeable = shapeable;
    w.Bounds = TWsRect{bounds.Left, bounds.Top, bounds.Left + std::max(bounds.Width(), 0),
                       bounds.Top + std::max(bounds.Height(), 0)};
    w.Buffers = TWindowBuffers(w.Bounds.Width(), w.Bounds.Height());
    return id;
}

void TSdlBackend::DestroyWindow(TWsWindow window) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return;
    SDL_DestroyWindow(w->Handle);
    FState->Windows.erase(window);
}

void TSdlBackend::SetWindowBounds(TWsWindow window, const TWsRect& bounds) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return;
    const int width = std::max(bounds.Width(), 0);
    const int height = std::max(bounds.Height(), 0);
    const int oldWidth = w->Bounds.Width();
    const int oldHeight = w->Bounds.Height();
    if (width != oldWidth || height != oldHeight) {
        w->Buffers.Resize(width, height);
        SDL_SetWindowSize(w->Handle, std::max(width, 1), std::max(height, 1));
        if (w->Shapeable)
            ApplyShape(w->Handle, w->Shape, std::max(width, 1), std::max(height, 1));
    }
    if (bounds.Left != w->Bounds.Left || bounds.Top != w->Bounds.Top)
        SDL_SetWindowPosition(w->Handle, bounds.Left, bounds.Top);
    w->Bounds = TWsRect{bounds.Left, bounds.Top, bounds.Left + width, bounds.Top + height};
}

void TSdlBackend::ShowWindow(TWsWindow window, bool visible) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return;
    const bool shown = (SDL_GetWindowFlags(w->Handle) & SDL_WINDOW_SHOWN) != 0;
    if (visible == shown)
        return;
    if (visible) {
        SDL_ShowWindow(w->Handle);
        Present(window, TWsRect{0, 0, w->Bounds.Width(), w->Bounds.Height()});
    } else {
        SDL_HideWindow(w->Handle);
    }
}

void TSdlBackend::RaiseWindow(TWsWindow window) {
    if (TState::TWindow* w = FState->Find(window))
        SDL_RaiseWindow(w->Handle);
}

bool TSdlBackend::MinimizeWindow(TWsWindow window) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return false;
    // Without a window manager nobody could give the window back.
    if (FState->X11 && !FState->X11->HasWindowManager())
        return false;
    SDL_MinimizeWindow(w->Handle);
    return true;
}

void TSdlBackend::SetWindowTitle(TWsWindow window, const std::string& title) {
    if (TState::TWindow* w = FState->Find(window))
        SDL_SetWindowTitle(w->Handle, AnsiToUtf8(title).c_str());
}

void TSdlBackend::SetWindowShape(TWsWindow window, const TWindowShape& shape) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return;
    w->Shape = shape;
    if (w->Shapeable)
        ApplyShape(w->Handle, shape, std::max(w->Bounds.Width(), 1),
                   std::max(w->Bounds.Height(), 1));
}

TWsPixels TSdlBackend::BackBuffer(TWsWindow window) {
    TState::TWindow* w = FState->Find(window);
    return w == nullptr ? TWsPixels{} : w->Buffers.Back();
}

void TSdlBackend::Present(TWsWindow window, const TWsRect& rect) {
    TState::TWindow* w = FState->Find(window);
    if (w == nullptr)
        return;
    const TWsRect r = w->Buffers.Present(rect);
    if (!r.IsEmpty())
        Blit(w->Handle, w->Buffers, r);
}

bool TSdlBackend::WaitEvent(TWsEvent& event, uint32_t timeoutMs) {
    TState& s = *FState;
    const uint64_t deadline = SDL_GetTicks64() + (timeoutMs == WS_INFINITE ? 0 : timeoutMs);
    for (;;) {
        if (!s.Pending.empty()) {
            event = s.Pending.front();
            s.Pending.pop_front();
            return true;
        }
        SDL_Event e;
        int got;
        if (timeoutMs == WS_INFINITE) {
            got = SDL_WaitEvent(&e);
        } else {
            const uint64_t now = SDL_GetTicks64();
            const uint64_t left = std::min<uint64_t>(deadline - now, INT32_MAX);
            got = now >= deadline ? SDL_PollEvent(&e)
                                  : SDL_WaitEventTimeout(&e, static_cast<int>(left));
        }
        if (!got) {
            if (timeoutMs == WS_INFINITE || SDL_GetTicks64() >= deadline)
                return false; // an endless wait only ends empty-handed on an SDL error
            continue;
        }

        auto windowOf = [&](Uint32 id) -> TState::TWindow* { return s.Find(id); };
        // SDL stamps events with the low 32 bits of its 64-bit tick count.
        const uint64_t now = SDL_GetTicks64();
        const uint64_t time =
            now - static_cast<uint32_t>(static_cast<uint32_t>(now) - e.common.timestamp);
        auto post = [&](TWsEvent ev) {
            ev.Time = time;
            s.Pending.push_back(ev);
        };
        auto global = [&](Uint32 id, int x, int y, TWsEvent& ev) {
            ev.Window = id;
            ev.X = x;
            ev.Y = y;
            if (TState::TWindow* w = windowOf(id)) {
                int wx = 0, wy = 0;
                SDL_GetWindowPosition(w->Handle, &wx, &wy);
                ev.X += wx;
                ev.Y += wy;
            }
        };
        const uint32_t mods = ModifierState(SDL_GetModState());

        switch (e.type) {
        case SDL_MOUSEMOTION: {
            if (e.motion.which == SDL_TOUCH_MOUSEID)
                break;
            TWsEvent ev{.Type = TWsEventType::MouseMove};
            global(e.motion.windowID, e.motion.x, e.motion.y, ev);
            ev.State = mods | s.Buttons;
            post(ev);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            TWsButton button;
            if (e.button.which == SDL_TOUCH_MOUSEID || !ButtonFromSdl(e.button.button, button))
                break;
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            // As on the platform, the state of a press includes the button
            // pressed and that of a release no longer holds it.
            if (down)
                s.Buttons |= ButtonBit(button);
            else
                s.Buttons &= ~ButtonBit(button);
            TWsEvent ev{.Type = down ? TWsEventType::MouseDown : TWsEventType::MouseUp};
            global(e.button.windowID, e.button.x, e.button.y, ev);
            ev.Button = button;
            ev.State = mods | s.Buttons;
            post(ev);
            break;
        }
        case SDL_MOUSEWHEEL: {
            if (e.wheel.which == SDL_TOUCH_MOUSEID)
                break;
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
                steps = -steps;
            if (steps == 0)
                break;
            TWsEvent ev{.Type = TWsEventType::MouseWheel};
            global(e.wheel.windowID, e.wheel.mouseX, e.wheel.mouseY, ev);
            ev.WheelDelta = steps * 120;
            ev.State = mods | s.Buttons;
            post(ev);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode);
            if (vk == 0)
                break;
            const bool down = e.type == SDL_KEYDOWN;
            s.Keys[vk] = down;
            const uint32_t state = ModifierState(e.key.keysym.mod) | s.Buttons;
            post(TWsEvent{.Type = down ? TWsEventType::KeyDown : TWsEventType::KeyUp,
                          .Window = e.key.windowID,
                          .Key = vk,
                          .Repeat = e.key.repeat != 0,
                          .State = state});
            if (down)
                if (unsigned char c = ControlCharForKey(vk, state))
                    post(TWsEvent{.Type = TWsEventType::Char,
                                  .Window = e.key.windowID,
                                  .Char = c,
                                  .State = state});
            break;
        }
        case SDL_TEXTINPUT: {
            for (char c : Utf8ToAnsi(e.text.text))
                post(TWsEvent{.Type = TWsEventType::Char,
                              .Window = e.text.windowID,
                              .Char = static_cast<unsigned char>(c),
                              .State = mods | s.Buttons});
            break;
        }
        case SDL_WINDOWEVENT: {
            const TWsWindow id = e.window.windowID;
            TState::TWindow* w = windowOf(id);
            if (w == nullptr)
                break;
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                post(TWsEvent{.Type = TWsEventType::Close, .Window = id});
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                post(TWsEvent{.Type = TWsEventType::FocusGained, .Window = id});
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                post(TWsEvent{.Type = TWsEventType::FocusLost, .Window = id});
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                Blit(w->Handle, w->Buffers, TWsRect{0, 0, w->Bounds.Width(), w->Bounds.Height()});
                post(TWsEvent{.Type = TWsEventType::Expose, .Window = id});
                break;
            case SDL_WINDOWEVENT_RESTORED:
                post(TWsEvent{.Type = TWsEventType::Restored, .Window = id});
                break;
            case SDL_WINDOWEVENT_MOVED:
                // Only a window manager moves our windows behind our back.
                w->Bounds =
                    TWsRect{e.window.data1, e.window.data2, e.window.data1 + w->Bounds.Width(),
                            e.window.data2 + w->Bounds.Height()};
                break;
            default:
                break;
            }
            break;
        }
        case SDL_QUIT:
            post(TWsEvent{.Type = TWsEventType::Quit});
            break;
        default:
            break;
        }
    }
}

uint64_t TSdlBackend::TickCount() {
    return SDL_GetTicks64();
}

TWsPoint TSdlBackend::CursorPos() {
    uint32_t buttons = 0;
    return FState->QueryPointer(buttons);
}

void TSdlBackend::SetCursor(TWsCursor cursor) {
    SDL_Cursor*& handle = FState->Cursors[cursor];
    if (handle == nullptr)
        handle = SDL_CreateSystemCursor(SdlCursor(cursor));
    if (handle != nullptr)
        SDL_SetCursor(handle);
}

bool TSdlBackend::IsKeyDown(int vk) {
    switch (vk) {
    case VK_LBUTTON:
    case VK_RBUTTON:
    case VK_MBUTTON: {
        uint32_t buttons = 0;
        FState->QueryPointer(buttons);
        const uint32_t bit = vk == VK_LBUTTON   ? wsLeftButton
                             : vk == VK_RBUTTON ? wsRightButton
                                                : wsMiddleButton;
        return (buttons & bit) != 0;
    }
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return (SDL_GetModState() & KMOD_SHIFT) != 0;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return (SDL_GetModState() & KMOD_CTRL) != 0;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return (SDL_GetModState() & KMOD_ALT) != 0;
    default:
        return vk >= 0 && vk < 256 && FState->Keys[vk];
    }
}

TWsRect TSdlBackend::WorkArea() {
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0 && SDL_GetDisplayBounds(0, &r) != 0)
        return TWsRect{};
    return TWsRect{r.x, r.y, r.x + r.w, r.y + r.h};
}

bool TSdlBackend::OpenURL(const std::string& url) {
    return SDL_OpenURL(AnsiToUtf8(url).c_str()) == 0;
}

std::string TSdlBackend::ClipboardText() {
    char* text = SDL_GetClipboardText();
    if (text == nullptr)
        return std::string();
    std::string result = Utf8ToAnsi(text);
    SDL_free(text);
    return result;
}

void TSdlBackend::SetClipboardText(const std::string& text) {
    SDL_SetClipboardText(AnsiToUtf8(text).c_str());
}
