#include "support/XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

TXScreen::TXScreen(const std::string& display) : Display_(XOpenDisplay(display.c_str())) {}

TXScreen::~TXScreen() {
    if (Display_)
        XCloseDisplay(static_cast<Display*>(Display_));
}

uint32_t TXScreen::Pixel(int x, int y) {
    Display* display = static_cast<Display*>(Display_);
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0xFFFFFFFF;
    uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}
