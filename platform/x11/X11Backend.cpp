#include "platform/x11/X11Backend.h"

#include "platform/kernel32/CodePage.h"
#include "platform/window/QuitSignals.h"
#include "platform/x11/X11Keys.h"

// Xlib defines Expose as a macro; the window system's event of that name is
// taken before the X headers come in.
constexpr TWsEventType kExposeEvent = TWsEventType::Expose;

#include "platform/x11/XLibrary.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// UTF-8 text in X11's STRING form (Latin-1); a character beyond it is '?'.
std::string Utf8ToLatin1(std::string_view utf8) {
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const TCharacter c = DecodeCharacter(utf8, pos);
        out += c.CodePoint < 0x100 ? static_cast<char>(c.CodePoint) : '?';
        pos += c.Length;
    }
    return out;
}

// The display's name for messages: $DISPLAY as the library reads it.
std::string gDisplayName;

// Nothing the program asks of the server is worth ending it for: a request
// on a window that another client or the server has just destroyed fails
// harmlessly. Errors are dropped.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// The connection is gone (the server ended, the session closed): say so
// once and end. Xlib would end the program after this handler anyway, but
// through exit(), which would run destructors that talk to the dead
// connection.
[[noreturn]] int ConnectionLost(Display*) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: the connection to the display %s was lost\n",
                 program_invocation_short_name, gDisplayName.c_str());
    _exit(1);
}

uint64_t MonotonicMs() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint32_t ModifierState(unsigned int state) {
    uint32_t result = 0;
    if (state & ShiftMask)
        result |= wsShift;
    if (state & ControlMask)
        result |= wsCtrl;
    if (state & Mod1Mask)
        result |= wsAlt;
    return result;
}

unsigned int FontCursor(TWsCursor cursor) {
    switch (cursor) {
    case TWsCursor::IBeam:
        return XC_xterm;
    case TWsCursor::Wait:
        return XC_watch;
    case TWsCursor::Cross:
        return XC_crosshair;
    case TWsCursor::Hand:
        return XC_hand2;
    case TWsCursor::SizeAll:
        return XC_fleur;
    case TWsCursor::SizeNWSE:
        return XC_bottom_right_corner;
    case TWsCursor::SizeNESW:
        return XC_bottom_left_corner;
    case TWsCursor::SizeWE:
        return XC_sb_h_double_arrow;
    case TWsCursor::SizeNS:
        return XC_sb_v_double_arrow;
    case TWsCursor::No:
        return XC_circle;
    default:
        return XC_left_ptr;
    }
}

// The position of the lowest set bit of a colour mask, and the number of
// bits it holds.
void MaskShape(unsigned long mask, int& shift, int& bits) {
    shift = 0;
    bits = 0;
    if (mask == 0)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++bits;
    }
}

// The atoms the backend uses, asked for in one round trip when it starts.
enum TAtom {
    aWmProtocols,
    aWmDeleteWindow,
    aMotifWmHints,
    aNetWmWindowType,
    aNetWmWindowTypeNormal,
    aNetWmWindowTypePopupMenu,
    aNetWmName,
    aNetWmPid,
    aNetWorkArea,
    aUtf8String,
    aClipboard,
    aTargets,
    aText,
    aOwnClipboardProperty,
    aWindowManager, // the selection a window manager of the default screen owns
    kAtomCount
};

const char* const kAtomNames[kAtomCount] = {
    "WM_PROTOCOLS",   "WM_DELETE_WINDOW",   "_MOTIF_WM_HINTS",
    "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_NAME",   "_NET_WM_PID",        "_NET_WORKAREA",
    "UTF8_STRING",    "CLIPBOARD",          "TARGETS",
    "TEXT",           "SSI_CLIPBOARD",      nullptr};

} // namespace

struct TX11Backend::TState {
    struct TWindow {
        TWsWindowKind Kind = TWsWindowKind::TopLevel;
        TWsRect Bounds;
        TWindowShape Shape;
        // The pixels the framework paints, made when it first asks for them.
        std::vector<uint32_t> Back;
        // What was presented, kept by the server as the window's background,
        // so that it puts back whatever it loses without asking us; made at
        // the first presentation.
        Pixmap Presented = 0;
        XIC InputContext = nullptr;
        bool Mapped = false;
        bool Iconified = false;
        bool Reparented = false; // a window manager put a frame around it
    };

    const TXLibrary& X;
    Display* D = nullptr;
    int Screen = 0;
    Window Root = 0;
    Visual* View = nullptr;
    int Depth = 0;
    bool DirectPixels = false; // the visual takes 0x00RRGGBB as it is
    int Shift[3] = {};         // otherwise: red, green and blue fields
    int Bits[3] = {};
    int BytesPerPixel = 4;
    GC Gc = nullptr;
    // The input method is opened when the first key arrives (reading its
    // compose tables takes a while, and a wizard clicked through needs none).
    XIM InputMethod = nullptr;
    bool InputMethodTried = false;
    Window Helper = 0; // owns the clipboard, asks for other programs' selections
    Atom Atoms[kAtomCount] = {};
    std::map<TWsWindow, TWindow> Windows;
    std::deque<TWsEvent> Pending;
    std::array<bool, 256> Keys{};
    uint32_t Buttons = 0;
    std::map<TWsCursor, Cursor> Cursors;
    TWsCursor CurrentCursor = TWsCursor::Arrow;
    std::string Clipboard;
    bool OwnsClipboard = false;

    explicit TState(const TXLibrary& x) : X(x) {}

    Atom Intern(TAtom atom) const { return Atoms[atom]; }

    void InternAtoms() {
        const std::string windowManager = "WM_S" + std::to_string(Screen);
        std::vector<char*> names;
        for (int i = 0; i < kAtomCount; ++i)
            names.push_back(const_cast<char*>(i == aWindowManager ? windowManager.c_str()
                                                                  : kAtomNames[i]));
        X.XInternAtoms(D, names.data(), kAtomCount, False, Atoms);
    }

    TWindow* Find(TWsWindow window) {
        auto it = Windows.find(window);
        return it == Windows.end() ? nullptr : &it->second;
    }

    bool HasWindowManager() { return X.XGetSelectionOwner(D, Intern(aWindowManager)) != 0; }

    void Post(TWsEvent event) {
        event.Time = MonotonicMs();
        Pending.push_back(event);
    }

    static int Width(const TWindow& w) { return std::max(w.Bounds.Width(), 0); }
    static int Height(const TWindow& w) { return std::max(w.Bounds.Height(), 0); }

    TWsPixels BackBuffer(TWindow& w) {
        const size_t size = size_t(Width(w)) * size_t(Height(w));
        if (size == 0)
            return TWsPixels{};
        if (w.Back.size() != size)
            w.Back.assign(size, 0);
        return TWsPixels{w.Back.data(), Width(w), Height(w), Width(w)};
    }

    // The window's presented pixels on the server, made black and set as the
    // window's background when first needed.
    Pixmap Presented(TWsWindow id, TWindow& w) {
        if (w.Presented == 0 && Width(w) > 0 && Height(w) > 0) {
            w.Presented = X.XCreatePixmap(D, Window(id), unsigned(Width(w)), unsigned(Height(w)),
                                          unsigned(Depth));
            X.XSetForeground(D, Gc, 0);
            X.XFillRectangle(D, w.Presented, Gc, 0, 0, unsigned(Width(w)), unsigned(Height(w)));
            X.XSetWindowBackgroundPixmap(D, Window(id), w.Presented);
        }
        return w.Presented;
    }

    // Copies rectangle `r` of the back buffer to what the screen shows.
    void Blit(TWsWindow id, TWindow& w, TWsRect r) {
        const int width = Width(w);
        r = r.Intersect(TWsRect{0, 0, width, Height(w)});
        BackBuffer(w);
        const Pixmap target = Presented(id, w);
        if (r.IsEmpty() || target == 0)
            return;
        std::vector<uint8_t> converted;
        char* data;
        int stride;
        int left = r.Left;
        int top = r.Top;
        int columns = width;
        int rows = Height(w);
        if (DirectPixels) {
            data = reinterpret_cast<char*>(w.Back.data());
            stride = width * 4;
        } else {
            // Only the rectangle, packed into the visual's own pixels.
            columns = r.Width();
            rows = r.Height();
            stride = columns * BytesPerPixel;
            converted.resize(size_t(stride) * size_t(rows));
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < columns; ++x) {
                    const uint32_t p = w.Back[size_t(r.Top + y) * size_t(width) + size_t(r.Left + x)];
                    const uint32_t channel[3] = {p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF};
                    uint32_t value = 0;
                    for (int c = 0; c < 3; ++c)
                        value |= (channel[c] >> (8 - std::min(Bits[c], 8))) << Shift[c];
                    uint8_t* out = &converted[size_t(y) * size_t(stride) + size_t(x) * BytesPerPixel];
                    std::memcpy(out, &value, size_t(BytesPerPixel));
                }
            data = reinterpret_cast<char*>(converted.data());
            left = 0;
            top = 0;
        }
        XImage* image = X.XCreateImage(D, View, unsigned(Depth), ZPixmap, 0, data, unsigned(columns),
                                       unsigned(rows), 32, stride);
        if (image == nullptr)
            return;
        // The bytes are in this machine's order; Xlib swaps them for a
        // server of the other order.
        image->byte_order = LSBFirst;
        X.XPutImage(D, target, Gc, image, left, top, r.Left, r.Top, unsigned(r.Width()),
                    unsigned(r.Height()));
        image->data = nullptr; // the pixels are not the image's to free
        XDestroyImage(image);
        if (w.Mapped)
            X.XClearArea(D, Window(id), r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()),
                         False);
    }

    // A new size: the back buffer and the presented pixels keep what still
    // fits, the rest black.
    void Resize(TWsWindow id, TWindow& w, int oldWidth, int oldHeight) {
        if (!w.Back.empty()) {
            std::vector<uint32_t> fresh(size_t(Width(w)) * size_t(Height(w)), 0);
            const int columns = std::min(oldWidth, Width(w));
            for (int y = 0; y < std::min(oldHeight, Height(w)); ++y)
                std::copy_n(w.Back.begin() + ptrdiff_t(y) * oldWidth, columns,
                            fresh.begin() + ptrdiff_t(y) * Width(w));
            w.Back.swap(fresh);
        }
        if (w.Presented != 0) {
            const Pixmap old = w.Presented;
            w.Presented = 0;
            const Pixmap fresh = Presented(id, w);
            if (fresh != 0)
                X.XCopyArea(D, old, fresh, Gc, 0, 0, unsigned(std::min(oldWidth, Width(w))),
                            unsigned(std::min(oldHeight, Height(w))), 0, 0);
            X.XFreePixmap(D, old);
        }
    }

    void ApplyShape(TWsWindow id, const TWindow& w) {
        if (!X.HasShapes())
            return;
        const int width = std::max(w.Bounds.Width(), 1);
        const int height = std::max(w.Bounds.Height(), 1);
        // One rectangle per run of inside pixels, runs of rows that are alike
        // merged into one.
        std::vector<XRectangle> rects;
        std::vector<std::pair<int, int>> previous, runs;
        size_t firstOfPrevious = 0;
        for (int y = 0; y < height; ++y) {
            runs.clear();
            for (int x = 0; x < width;) {
                if (!w.Shape.WindowContains(width, height, x, y)) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < width && w.Shape.WindowContains(width, height, x, y))
                    ++x;
                runs.emplace_back(start, x);
            }
            if (y > 0 && runs == previous) {
                for (size_t i = firstOfPrevious; i < rects.size(); ++i)
                    ++rects[i].height;
                continue;
            }
            firstOfPrevious = rects.size();
            for (const auto& [start, end] : runs)
                rects.push_back(XRectangle{short(start), short(y), (unsigned short)(end - start), 1});
            previous = runs;
        }
        X.XShapeCombineRectangles(D, Window(id), ShapeBounding, 0, 0, rects.data(), int(rects.size()),
                                  ShapeSet, Unsorted);
    }

    // Waits (briefly) until the server has mapped the window, so that it can
    // take the focus and be drawn on; other events stay queued.
    void AwaitMap(TWsWindow id) {
        const uint64_t deadline = MonotonicMs() + 1000;
        XEvent event;
        X.XSync(D, False);
        while (MonotonicMs() < deadline) {
            if (X.XCheckTypedWindowEvent(D, Window(id), MapNotify, &event))
                return;
            pollfd fd{ConnectionNumber(D), POLLIN, 0};
            poll(&fd, 1, 10);
            X.XPending(D);
        }
    }

    // The window's input context, made when it first needs one; null where
    // no input method can be opened (text then comes from key symbols).
    XIC InputContext(TWsWindow id, TWindow& w) {
        if (w.InputContext != nullptr)
            return w.InputContext;
        if (!InputMethodTried) {
            InputMethodTried = true;
            InputMethod = X.XOpenIM(D, nullptr, nullptr, nullptr);
        }
        if (InputMethod == nullptr)
            return nullptr;
        w.InputContext = X.XCreateIC(InputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                     XNClientWindow, Window(id), XNFocusWindow, Window(id), nullptr);
        if (w.InputContext != nullptr)
            X.XSetICFocus(w.InputContext);
        return w.InputContext;
    }

    void TakeFocus(TWsWindow id) {
        TWindow* w = Find(id);
        if (w != nullptr && w->Kind == TWsWindowKind::TopLevel && w->Mapped && !HasWindowManager())
            X.XSetInputFocus(D, Window(id), RevertToPointerRoot, CurrentTime);
    }

    void Translate(XEvent& e);
    void TranslateKey(XKeyEvent& e, TWindow* w);
    void ServeSelection(const XSelectionRequestEvent& request);
};

TX11Backend::TX11Backend() {
    const TXLibrary& x = TXLibrary::Get();
    FState = std::make_unique<TState>(x);
    TState& s = *FState;
    const char* name = x.XDisplayName(nullptr);
    gDisplayName = name != nullptr ? name : "";
    if (gDisplayName.empty())
        throw std::runtime_error("no display is set (DISPLAY)");
    s.D = x.XOpenDisplay(nullptr);
    if (s.D == nullptr)
        throw std::runtime_error("cannot open the display " + gDisplayName);
    x.XSetErrorHandler(IgnoreError);
    x.XSetIOErrorHandler(ConnectionLost);
    s.Screen = DefaultScreen(s.D);
    s.Root = RootWindow(s.D, s.Screen);
    s.InternAtoms();
    s.View = DefaultVisual(s.D, s.Screen);
    s.Depth = DefaultDepth(s.D, s.Screen);
    const bool trueColour = s.View->c_class == TrueColor || s.View->c_class == DirectColor;
    if (!trueColour || s.Depth < 15) {
        x.XCloseDisplay(s.D);
        throw std::runtime_error("the display " + gDisplayName + " shows only " +
                                 std::to_string(s.Depth) + "-bit indexed colours");
    }
    s.DirectPixels = (s.Depth == 24 || s.Depth == 32) && s.View->red_mask == 0xFF0000 &&
                     s.View->green_mask == 0xFF00 && s.View->blue_mask == 0xFF;
    MaskShape(s.View->red_mask, s.Shift[0], s.Bits[0]);
    MaskShape(s.View->green_mask, s.Shift[1], s.Bits[1]);
    MaskShape(s.View->blue_mask, s.Shift[2], s.Bits[2]);
    s.BytesPerPixel = s.Depth > 16 ? 4 : 2;

    Bool detectable = False;
    x.XkbSetDetectableAutoRepeat(s.D, True, &detectable);
    XSetWindowAttributes attributes{};
    s.Helper = x.XCreateWindow(s.D, s.Root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                               CopyFromParent, 0, &attributes);
    QuitSignalFd();
}

TX11Backend::~TX11Backend() {
    TState& s = *FState;
    for (auto& [id, w] : s.Windows) {
        if (w.InputContext)
            s.X.XDestroyIC(w.InputContext);
        s.X.XDestroyWindow(s.D, Window(id));
        if (w.Presented)
            s.X.XFreePixmap(s.D, w.Presented);
    }
    for (auto& [shape, cursor] : s.Cursors)
        s.X.XFreeCursor(s.D, cursor);
    if (s.Gc)
        s.X.XFreeGC(s.D, s.Gc);
    if (s.InputMethod)
        s.X.XCloseIM(s.InputMethod);
    s.X.XDestroyWindow(s.D, s.Helper);
    s.X.XCloseDisplay(s.D);
}

TWsWindow TX11Backend::CreateWindow(TWsWindowKind kind, const TWsRect& bounds) {
    TState& s = *FState;
    const TXLibrary& x = s.X;
    const int width = std::max(bounds.Width(), 1);
    const int height = std::max(bounds.Height(), 1);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    attributes.override_redirect = kind == TWsWindowKind::Popup ? True : False;
    attributes.save_under = kind == TWsWindowKind::Popup ? True : False;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | FocusChangeMask | StructureNotifyMask;
    attributes.cursor = 0;
    const Window handle = x.XCreateWindow(
        s.D, s.Root, bounds.Left, bounds.Top, unsigned(width), unsigned(height), 0, CopyFromParent,
        InputOutput, CopyFromParent,
        CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWSaveUnder | CWEventMask, &attributes);
    if (handle == 0)
        throw std::runtime_error("Cannot create a window on the display " + gDisplayName);
    if (s.Gc == nullptr)
        s.Gc = x.XCreateGC(s.D, handle, 0, nullptr);

    // What a window manager needs to know: where the program put it (so it
    // stays there), that it draws its own frame, what kind it is, how to
    // ask it to close, and whose it is.
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = bounds.Left;
    hints.y = bounds.Top;
    x.XSetWMNormalHints(s.D, handle, &hints);
    const long motif[5] = {2, 0, 0, 0, 0}; // flags: decorations; decorations: none
    x.XChangeProperty(s.D, handle, s.Intern(aMotifWmHints), s.Intern(aMotifWmHints), 32,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
    const Atom type = s.Intern(kind == TWsWindowKind::Popup ? aNetWmWindowTypePopupMenu
                                                            : aNetWmWindowTypeNormal);
    x.XChangeProperty(s.D, handle, s.Intern(aNetWmWindowType), XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&type), 1);
    Atom deleteWindow = s.Intern(aWmDeleteWindow);
    x.XSetWMProtocols(s.D, handle, &deleteWindow, 1);
    const long pid = getpid();
    x.XChangeProperty(s.D, handle, s.Intern(aNetWmPid), XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&pid), 1);
    std::string instance = program_invocation_short_name;
    std::string className = "ScreensaverInstaller";
    XClassHint classHint{instance.data(), className.data()};
    x.XSetClassHint(s.D, handle, &classHint);
    if (s.CurrentCursor != TWsCursor::Arrow)
        x.XDefineCursor(s.D, handle, s.Cursors[s.CurrentCursor]);

    const TWsWindow id = TWsWindow(handle);
    TState::TWindow& w = s.Windows[id];
    w.Kind = kind;
    w.Bounds = TWsRect{bounds.Left, bounds.Top, bounds.Left + std::max(bounds.Width(), 0),
                       bounds.Top + std::max(bounds.Height(), 0)};
    return id;
}

void TX11Backend::DestroyWindow(TWsWindow window) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    if (w == nullptr)
        return;
    if (w->InputContext)
        s.X.XDestroyIC(w->InputContext);
    s.X.XDestroyWindow(s.D, Window(window));
    if (w->Presented)
        s.X.XFreePixmap(s.D, w->Presented);
    s.Windows.erase(window);
    s.X.XFlush(s.D);
}

void TX11Backend::SetWindowBounds(TWsWindow window, const TWsRect& bounds) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    if (w == nullptr)
        return;
    const int width = std::max(bounds.Width(), 0);
    const int height = std::max(bounds.Height(), 0);
    const int oldWidth = w->Bounds.Width(), oldHeight = w->Bounds.Height();
    const bool resized = width != oldWidth || height != oldHeight;
    w->Bounds = TWsRect{bounds.Left, bounds.Top, bounds.Left + width, bounds.Top + height};
    if (resized)
        s.Resize(window, *w, oldWidth, oldHeight);
    s.X.XMoveResizeWindow(s.D, Window(window), bounds.Left, bounds.Top, unsigned(std::max(width, 1)),
                          unsigned(std::max(height, 1)));
    if (resized)
        s.ApplyShape(window, *w);
    s.X.XFlush(s.D);
}

void TX11Backend::ShowWindow(TWsWindow window, bool visible) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    if (w == nullptr || w->Mapped == visible)
        return;
    if (visible) {
        s.X.XMapRaised(s.D, Window(window));
        s.AwaitMap(window);
        w = s.Find(window);
        w->Mapped = true;
        s.TakeFocus(window);
        Present(window, TWsRect{0, 0, w->Bounds.Width(), w->Bounds.Height()});
    } else {
        w->Mapped = false;
        s.X.XUnmapWindow(s.D, Window(window));
        s.X.XFlush(s.D);
    }
}

void TX11Backend::RaiseWindow(TWsWindow window) {
    TState& s = *FState;
    if (s.Find(window) == nullptr)
        return;
    s.X.XRaiseWindow(s.D, Window(window));
    s.TakeFocus(window);
    s.X.XFlush(s.D);
}

bool TX11Backend::MinimizeWindow(TWsWindow window) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    // Without a window manager nobody could give the window back.
    if (w == nullptr || !s.HasWindowManager())
        return false;
    s.X.XIconifyWindow(s.D, Window(window), s.Screen);
    w->Iconified = true;
    s.X.XFlush(s.D);
    return true;
}

void TX11Backend::SetWindowTitle(TWsWindow window, const std::string& title) {
    TState& s = *FState;
    if (s.Find(window) == nullptr)
        return;
    const std::string utf8 = ToUtf8(title);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    s.X.XChangeProperty(s.D, Window(window), s.Intern(aNetWmName), s.Intern(aUtf8String), 8,
                        PropModeReplace, bytes, int(utf8.size()));
    s.X.XChangeProperty(s.D, Window(window), XA_WM_NAME, s.Intern(aUtf8String), 8,
                        PropModeReplace, bytes, int(utf8.size()));
    s.X.XFlush(s.D);
}

void TX11Backend::SetWindowShape(TWsWindow window, const TWindowShape& shape) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    if (w == nullptr)
        return;
    w->Shape = shape;
    s.ApplyShape(window, *w);
    s.X.XFlush(s.D);
}

TWsPixels TX11Backend::BackBuffer(TWsWindow window) {
    TState::TWindow* w = FState->Find(window);
    return w == nullptr ? TWsPixels{} : FState->BackBuffer(*w);
}

void TX11Backend::Present(TWsWindow window, const TWsRect& rect) {
    TState& s = *FState;
    TState::TWindow* w = s.Find(window);
    if (w == nullptr)
        return;
    s.Blit(window, *w, rect);
    s.X.XFlush(s.D);
}

void TX11Backend::TState::TranslateKey(XKeyEvent& e, TWindow* w) {
    const TWsWindow id = TWsWindow(e.window);
    const int vk = VirtualKeyFromKeysym(X.XLookupKeysym(&e, 0));
    const uint32_t state = ModifierState(e.state) | Buttons;
    if (e.type == KeyRelease) {
        if (vk == 0)
            return;
        Keys[size_t(vk)] = false;
        Post(TWsEvent{.Type = TWsEventType::KeyUp, .Window = id, .Key = vk, .State = state});
        return;
    }
    if (vk != 0) {
        const bool repeat = Keys[size_t(vk)];
        Keys[size_t(vk)] = true;
        Post(TWsEvent{
            .Type = TWsEventType::KeyDown, .Window = id, .Key = vk, .Repeat = repeat, .State = state});
        if (unsigned char c = ControlCharForKey(vk, state))
            Post(TWsEvent{.Type = TWsEventType::Char, .Window = id, .Char = c, .State = state});
    }
    // The characters the key types. Control characters came from the key
    // above, and a key held with Ctrl types none (as with Ctrl+C).
    if (state & wsCtrl)
        return;
    char buffer[64];
    std::string text; // in the system's code page
    KeySym keysym = 0;
    XIC context = w != nullptr ? InputContext(id, *w) : nullptr;
    if (context != nullptr) {
        Status status = 0;
        const int n = X.Xutf8LookupString(context, &e, buffer, int(sizeof buffer), &keysym, &status);
        if ((status == XLookupChars || status == XLookupBoth) && n > 0)
            text = ToUtf8(std::string_view(buffer, size_t(n)));
    } else {
        X.XLookupString(&e, buffer, int(sizeof buffer), &keysym, nullptr);
        const char32_t c = CharacterFromKeysym(keysym);
        if (c > 0)
            AppendUtf8(text, c);
    }
    // One character message per byte, as the platform sends a multi-byte
    // character to a window of the system's code page; the receiver joins
    // them.
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            Post(TWsEvent{.Type = TWsEventType::Char, .Window = id, .Char = byte, .State = state});
    }
}

void TX11Backend::TState::ServeSelection(const XSelectionRequestEvent& request) {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = 0;
    const Atom utf8 = Intern(aUtf8String);
    const Atom targets = Intern(aTargets);
    const Atom property = request.property != 0 ? request.property : request.target;
    if (OwnsClipboard && request.target == targets) {
        const Atom offered[4] = {targets, utf8, XA_STRING, Intern(aText)};
        X.XChangeProperty(D, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(offered), 4);
        reply.property = property;
    } else if (OwnsClipboard && (request.target == utf8 || request.target == XA_STRING ||
                                 request.target == Intern(aText))) {
        // STRING is Latin-1: what it cannot hold is left out of that form.
        const std::string utf8Text = ToUtf8(Clipboard);
        const bool latin1 = request.target == XA_STRING;
        const std::string bytes = latin1 ? Utf8ToLatin1(utf8Text) : utf8Text;
        X.XChangeProperty(D, request.requestor, property, latin1 ? XA_STRING : utf8, 8,
                          PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.data()),
                          int(bytes.size()));
        reply.property = property;
    }
    XEvent event{};
    event.xselection = reply;
    X.XSendEvent(D, request.requestor, False, 0, &event);
}

void TX11Backend::TState::Translate(XEvent& e) {
    if (X.XFilterEvent(&e, 0))
        return; // the input method took it (a dead key, a composition)
    const TWsWindow id = TWsWindow(e.xany.window);
    TWindow* w = Find(id);
    switch (e.type) {
    case MotionNotify: {
        TWsEvent ev{.Type = TWsEventType::MouseMove, .Window = id};
        ev.X = e.xmotion.x_root;
        ev.Y = e.xmotion.y_root;
        ev.State = ModifierState(e.xmotion.state) | Buttons;
        Post(ev);
        break;
    }
    case EnterNotify:
    case LeaveNotify: {
        // The pointer's way into and out of a window is a move like any
        // other: the framework learns from it that nothing of ours is under
        // the pointer any more (no motion is reported outside our windows).
        TWsEvent ev{.Type = TWsEventType::MouseMove, .Window = id};
        ev.X = e.xcrossing.x_root;
        ev.Y = e.xcrossing.y_root;
        ev.State = ModifierState(e.xcrossing.state) | Buttons;
        Post(ev);
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        const bool down = e.type == ButtonPress;
        const unsigned int button = e.xbutton.button;
        const uint32_t modifiers = ModifierState(e.xbutton.state);
        if (button == Button4 || button == Button5) {
            if (!down)
                break;
            TWsEvent ev{.Type = TWsEventType::MouseWheel, .Window = id};
            ev.X = e.xbutton.x_root;
            ev.Y = e.xbutton.y_root;
            ev.WheelDelta = button == Button4 ? 120 : -120;
            ev.State = modifiers | Buttons;
            Post(ev);
            break;
        }
        if (button > Button3)
            break;
        const TWsButton which = button == Button1   ? TWsButton::Left
                                : button == Button2 ? TWsButton::Middle
                                                    : TWsButton::Right;
        // As on the platform, the state of a press includes the button
        // pressed and that of a release no longer holds it.
        if (down)
            Buttons |= ButtonBit(which);
        else
            Buttons &= ~ButtonBit(which);
        TWsEvent ev{.Type = down ? TWsEventType::MouseDown : TWsEventType::MouseUp, .Window = id};
        ev.X = e.xbutton.x_root;
        ev.Y = e.xbutton.y_root;
        ev.Button = which;
        ev.State = modifiers | Buttons;
        Post(ev);
        break;
    }
    case KeyPress:
    case KeyRelease:
        TranslateKey(e.xkey, w);
        break;
    case FocusIn:
    case FocusOut:
        if (w == nullptr || e.xfocus.mode == NotifyGrab || e.xfocus.mode == NotifyUngrab)
            break;
        if (w->InputContext && e.type == FocusIn)
            X.XSetICFocus(w->InputContext);
        Post(TWsEvent{.Type = e.type == FocusIn ? TWsEventType::FocusGained : TWsEventType::FocusLost,
                      .Window = id});
        break;
    case Expose:
        // The server has already put back what was presented (it is the
        // window's background).
        if (w != nullptr && e.xexpose.count == 0)
            Post(TWsEvent{.Type = kExposeEvent, .Window = id});
        break;
    case MapNotify:
        if (w != nullptr && w->Iconified) {
            w->Iconified = false;
            Post(TWsEvent{.Type = TWsEventType::Restored, .Window = id});
        }
        break;
    case ReparentNotify:
        if (w != nullptr)
            w->Reparented = e.xreparent.parent != Root;
        break;
    case ConfigureNotify:
        // Only a window manager moves our windows behind our back; its own
        // (synthetic) notices give root coordinates.
        if (w != nullptr && (e.xconfigure.send_event || !w->Reparented))
            w->Bounds = TWsRect{e.xconfigure.x, e.xconfigure.y, e.xconfigure.x + w->Bounds.Width(),
                                e.xconfigure.y + w->Bounds.Height()};
        break;
    case ClientMessage:
        if (w != nullptr && e.xclient.message_type == Intern(aWmProtocols) &&
            Atom(e.xclient.data.l[0]) == Intern(aWmDeleteWindow))
            Post(TWsEvent{.Type = TWsEventType::Close, .Window = id});
        break;
    case SelectionRequest:
        ServeSelection(e.xselectionrequest);
        break;
    case SelectionClear:
        if (e.xselectionclear.selection == Intern(aClipboard))
            OwnsClipboard = false;
        break;
    default:
        break;
    }
}

bool TX11Backend::WaitEvent(TWsEvent& event, uint32_t timeoutMs) {
    TState& s = *FState;
    const uint64_t deadline = MonotonicMs() + (timeoutMs == WS_INFINITE ? 0 : timeoutMs);
    for (;;) {
        if (!s.Pending.empty()) {
            event = s.Pending.front();
            s.Pending.pop_front();
            return true;
        }
        if (s.X.XPending(s.D) > 0) {
            XEvent e;
            s.X.XNextEvent(s.D, &e);
            s.Translate(e);
            continue;
        }
        int wait = -1;
        if (timeoutMs != WS_INFINITE) {
            const uint64_t now = MonotonicMs();
            if (now >= deadline)
                return false;
            wait = int(std::min<uint64_t>(deadline - now, INT32_MAX));
        }
        pollfd fds[2] = {{ConnectionNumber(s.D), POLLIN, 0}, {QuitSignalFd(), POLLIN, 0}};
        if (poll(fds, 2, wait) < 0 && errno != EINTR)
            return false;
        if (TakeQuitSignal())
            s.Post(TWsEvent{.Type = TWsEventType::Quit});
    }
}

uint64_t TX11Backend::TickCount() {
    return MonotonicMs();
}

TWsPoint TX11Backend::CursorPos() {
    TState& s = *FState;
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    s.X.XQueryPointer(s.D, s.Root, &root, &child, &x, &y, &windowX, &windowY, &mask);
    return TWsPoint{x, y};
}

void TX11Backend::SetCursor(TWsCursor cursor) {
    TState& s = *FState;
    if (s.CurrentCursor == cursor)
        return;
    // The arrow is the root window's own cursor, which a window without one
    // of its own shows; the others are made when first asked for.
    Cursor handle = 0;
    if (cursor != TWsCursor::Arrow) {
        Cursor& made = s.Cursors[cursor];
        if (made == 0)
            made = s.X.XCreateFontCursor(s.D, FontCursor(cursor));
        handle = made;
    }
    s.CurrentCursor = cursor;
    for (auto& [id, w] : s.Windows)
        s.X.XDefineCursor(s.D, Window(id), handle);
    s.X.XFlush(s.D);
}

bool TX11Backend::IsKeyDown(int vk) {
    TState& s = *FState;
    auto pointerMask = [&] {
        Window root = 0, child = 0;
        int x = 0, y = 0, windowX = 0, windowY = 0;
        unsigned int mask = 0;
        s.X.XQueryPointer(s.D, s.Root, &root, &child, &x, &y, &windowX, &windowY, &mask);
        return mask;
    };
    switch (vk) {
    case VK_LBUTTON:
        return (pointerMask() & Button1Mask) != 0;
    case VK_MBUTTON:
        return (pointerMask() & Button2Mask) != 0;
    case VK_RBUTTON:
        return (pointerMask() & Button3Mask) != 0;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return (pointerMask() & ShiftMask) != 0;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return (pointerMask() & ControlMask) != 0;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return (pointerMask() & Mod1Mask) != 0;
    default:
        return vk >= 0 && vk < 256 && s.Keys[size_t(vk)];
    }
}

TWsRect TX11Backend::WorkArea() {
    TState& s = *FState;
    TWsRect screen{0, 0, DisplayWidth(s.D, s.Screen), DisplayHeight(s.D, s.Screen)};
    // A desktop's task bars are left out of _NET_WORKAREA (one rectangle per
    // virtual desktop: the first serves).
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (s.X.XGetWindowProperty(s.D, s.Root, s.Intern(aNetWorkArea), 0, 4, False, XA_CARDINAL,
                               &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count >= 4) {
            const long* area = reinterpret_cast<const long*>(data);
            const TWsRect work{int(area[0]), int(area[1]), int(area[0] + area[2]),
                               int(area[1] + area[3])};
            if (!work.IsEmpty())
                screen = work.Intersect(screen);
        }
        s.X.XFree(data);
    }
    return screen;
}

bool TX11Backend::OpenURL(const std::string& url) {
    // The desktop's handler, started in a process of its own that nobody
    // waits for (a second fork hands it to init).
    const std::string utf8 = ToUtf8(url);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", utf8.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string TX11Backend::ClipboardText() {
    TState& s = *FState;
    if (s.OwnsClipboard)
        return s.Clipboard;
    const Atom clipboard = s.Intern(aClipboard);
    if (s.X.XGetSelectionOwner(s.D, clipboard) == 0)
        return std::string();
    const Atom property = s.Intern(aOwnClipboardProperty);
    s.X.XConvertSelection(s.D, clipboard, s.Intern(aUtf8String), property, s.Helper, CurrentTime);
    s.X.XFlush(s.D);
    // The owner answers with a SelectionNotify; everything else that
    // arrives meanwhile is kept for the event loop.
    const uint64_t deadline = MonotonicMs() + 1000;
    XEvent e;
    while (MonotonicMs() < deadline) {
        if (s.X.XCheckTypedWindowEvent(s.D, s.Helper, SelectionNotify, &e)) {
            if (e.xselection.property == 0)
                return std::string();
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            std::string text;
            if (s.X.XGetWindowProperty(s.D, s.Helper, property, 0, 1 << 20, True, AnyPropertyType,
                                       &type, &format, &count, &after, &data) == Success &&
                data != nullptr) {
                if (format == 8)
                    text.assign(reinterpret_cast<const char*>(data), count);
                s.X.XFree(data);
            }
            return type == XA_STRING ? Latin1ToUtf8(text) : ToUtf8(text);
        }
        pollfd fd{ConnectionNumber(s.D), POLLIN, 0};
        poll(&fd, 1, 10);
        s.X.XPending(s.D);
    }
    return std::string();
}

void TX11Backend::SetClipboardText(const std::string& text) {
    TState& s = *FState;
    s.Clipboard = text;
    s.X.XSetSelectionOwner(s.D, s.Intern(aClipboard), s.Helper, CurrentTime);
    s.OwnsClipboard = s.X.XGetSelectionOwner(s.D, s.Intern(aClipboard)) == s.Helper;
    s.X.XFlush(s.D);
}
