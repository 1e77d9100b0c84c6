#include "platform/window/Backend.h"

#include "platform/headless/HeadlessBackend.h"
#include "platform/sdl/SdlBackend.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::unique_ptr<TWindowSystem>& Current() {
    static std::unique_ptr<TWindowSystem> current;
    return current;
}

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

} // namespace

std::unique_ptr<TWindowSystem> CreateWindowSystem() {
    const char* forced = std::getenv("SSI_BACKEND");
    const std::string choice = forced != nullptr ? forced : "";
    if (choice == "headless")
        return std::make_unique<THeadlessBackend>();
    if (choice == "sdl")
        return std::make_unique<TSdlBackend>();
    if (!choice.empty())
        throw std::runtime_error("SSI_BACKEND must be \"sdl\" or \"headless\", not \"" + choice +
                                 "\"");
    if (HasDisplay()) {
        try {
            return std::make_unique<TSdlBackend>();
        } catch (const std::runtime_error&) {
            // An unreachable display is the same as none.
        }
    }
    return std::make_unique<THeadlessBackend>();
}

TWindowSystem& WindowSystem() {
    if (!Current())
        Current() = CreateWindowSystem();
    return *Current();
}

void SetWindowSystem(std::unique_ptr<TWindowSystem> system) {
    Current().reset();
    Current() = std::move(system);
}
