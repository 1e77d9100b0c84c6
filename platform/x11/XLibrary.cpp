#include "platform/x11/XLibrary.h"

#include <dlfcn.h>

#include <stdexcept>

namespace {

// A library's handle, or null with the loader's reason in `error`.
void* Open(const char* name, std::string& error) {
    void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : name;
    }
    return handle;
}

template <typename TFunction>
bool Find(void* library, const char* name, TFunction& function) {
    function = reinterpret_cast<TFunction>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

TXLibrary::TXLibrary() {
    std::string error;
    void* x11 = Open("libX11.so.6", error);
    if (x11 == nullptr)
        throw std::runtime_error(error);
#define SSI_FIND_X11(name)                                                                        \
    if (!Find(x11, #name, name))                                                                  \
        throw std::runtime_error("libX11.so.6 has no " #name);
    SSI_XLIB_FUNCTIONS(SSI_FIND_X11)
#undef SSI_FIND_X11
    // Shapes are a nicety: without libXext, or without one of its
    // functions, windows keep their rectangles.
    if (void* xext = Open("libXext.so.6", error)) {
        bool complete = true;
#define SSI_FIND_XEXT(name) complete = Find(xext, #name, name) && complete;
        SSI_XEXT_FUNCTIONS(SSI_FIND_XEXT)
#undef SSI_FIND_XEXT
        if (!complete) {
#define SSI_FORGET_XEXT(name) name = nullptr;
            SSI_XEXT_FUNCTIONS(SSI_FORGET_XEXT)
#undef SSI_FORGET_XEXT
        }
    }
    // The libraries stay loaded for the life of the program: Xlib keeps
    // handlers and per-display state that may be called until exit.
}

const TXLibrary& TXLibrary::Get() {
    // A failed load throws from the initialiser and is tried again next time.
    static const TXLibrary library;
    return library;
}
