#include "platform/sdl/X11Display.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <mutex>
#include <string>

namespace {

XErrorHandler gPreviousHandler = nullptr;

int DropLateWakeups(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return gPreviousHandler != nullptr ? gPreviousHandler(display, error) : 0;
}

} // namespace

void TX11Display::TolerateLateWakeups() {
    static std::once_flag installed;
    std::call_once(installed, [] { gPreviousHandler = XSetErrorHandler(DropLateWakeups); });
}

TX11Display::TX11Display() : FDisplay(XOpenDisplay(nullptr)) {}

TX11Display::~TX11Display() {
    if (FDisplay)
        XCloseDisplay(static_cast<Display*>(FDisplay));
}

bool TX11Display::QueryPointer(int& x, int& y, uint32_t& buttons) {
    if (FDisplay == nullptr)
        return false;
    Display* display = static_cast<Display*>(FDisplay);
    Window root = 0;
    Window child = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                       &windowY, &mask))
        return false;
    buttons = ((mask & Button1Mask) ? 1u : 0u) | ((mask & Button2Mask) ? 2u : 0u) |
              ((mask & Button3Mask) ? 4u : 0u);
    return true;
}

bool TX11Display::HasWindowManager() {
    if (FDisplay == nullptr)
        return false;
    Display* display = static_cast<Display*>(FDisplay);
    const std::string name = "WM_S" + std::to_string(DefaultScreen(display));
    Atom selection = XInternAtom(display, name.c_str(), False);
    return XGetSelectionOwner(display, selection) != None;
}
