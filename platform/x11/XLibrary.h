#pragma once
// The X client library, loaded at run time. The installer is handed to end
// users whose machines may have no X libraries at all; it must then still
// start (and install on the console), so nothing of X is linked: the
// functions the X backend calls are looked up in libX11.so.6 when a display
// is first wanted, and the shape extension's in libXext.so.6 when that is
// there too (without it windows are rectangular).
//
// Only the X backend's sources include this header: Xlib's macros (Expose,
// None, Bool...) would collide with names elsewhere.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <string>

// Every function of libX11 the backend calls.
#define SSI_XLIB_FUNCTIONS(F)                                                                     \
    F(XOpenDisplay)                                                                               \
    F(XCloseDisplay)                                                                              \
    F(XDisplayName)                                                                               \
    F(XSetErrorHandler)                                                                           \
    F(XSetIOErrorHandler)                                                                         \
    F(XInternAtoms)                                                                               \
    F(XCreateWindow)                                                                              \
    F(XDestroyWindow)                                                                             \
    F(XMapRaised)                                                                                 \
    F(XUnmapWindow)                                                                               \
    F(XMoveResizeWindow)                                                                          \
    F(XRaiseWindow)                                                                               \
    F(XIconifyWindow)                                                                             \
    F(XSetInputFocus)                                                                             \
    F(XChangeProperty)                                                                            \
    F(XGetWindowProperty)                                                                         \
    F(XDeleteProperty)                                                                            \
    F(XSetWMProtocols)                                                                            \
    F(XSetWMNormalHints)                                                                          \
    F(XSetClassHint)                                                                              \
    F(XCreateGC)                                                                                  \
    F(XFreeGC)                                                                                    \
    F(XCreateImage)                                                                               \
    F(XPutImage)                                                                                  \
    F(XCreatePixmap)                                                                              \
    F(XFreePixmap)                                                                                \
    F(XCopyArea)                                                                                  \
    F(XClearArea)                                                                                 \
    F(XFillRectangle)                                                                             \
    F(XSetForeground)                                                                             \
    F(XSetWindowBackgroundPixmap)                                                                 \
    F(XFlush)                                                                                     \
    F(XSync)                                                                                      \
    F(XPending)                                                                                   \
    F(XNextEvent)                                                                                 \
    F(XCheckTypedWindowEvent)                                                                     \
    F(XSendEvent)                                                                                 \
    F(XQueryPointer)                                                                              \
    F(XCreateFontCursor)                                                                          \
    F(XDefineCursor)                                                                              \
    F(XFreeCursor)                                                                                \
    F(XLookupString)                                                                              \
    F(XLookupKeysym)                                                                              \
    F(XkbSetDetectableAutoRepeat)                                                                 \
    F(XOpenIM)                                                                                    \
    F(XCloseIM)                                                                                   \
    F(XCreateIC)                                                                                  \
    F(XDestroyIC)                                                                                 \
    F(XSetICFocus)                                                                                \
    F(XFilterEvent)                                                                               \
    F(Xutf8LookupString)                                                                          \
    F(XGetSelectionOwner)                                                                         \
    F(XSetSelectionOwner)                                                                         \
    F(XConvertSelection)                                                                          \
    F(XFree)

// The shape extension's functions in libXext.
#define SSI_XEXT_FUNCTIONS(F)                                                                     \
    F(XShapeQueryExtension)                                                                       \
    F(XShapeCombineRectangles)

class TXLibrary {
public:
    // The library, loaded on first use; throws std::runtime_error naming the
    // library and the loader's reason when libX11 cannot be loaded.
    static const TXLibrary& Get();

    // Whether window shapes can be set (libXext was found).
    bool HasShapes() const { return XShapeCombineRectangles != nullptr; }

#define SSI_XLIBRARY_MEMBER(name) decltype(&::name) name = nullptr;
    SSI_XLIB_FUNCTIONS(SSI_XLIBRARY_MEMBER)
    SSI_XEXT_FUNCTIONS(SSI_XLIBRARY_MEMBER)
#undef SSI_XLIBRARY_MEMBER

private:
    TXLibrary();
};
