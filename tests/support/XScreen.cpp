#include "support/XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

TXScreen::TXScreen(const std::string& display) : FDisplay(XOpenDisplay(display.c_str())) {}

TXScreen::~TXScreen() {
    if (FDisplay)
        XCloseDisplay(static_cast<Display*>(FDisplay));
}

uint32_t TXScreen::Pixel(int x, int y) {
    Display* display = static_cast<Display*>(FDisplay);
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0xFFFFFFFF;
    uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}
