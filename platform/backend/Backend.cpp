#include "platform/backend/Backend.h"

#include "platform/headless/HeadlessBackend.h"
#include "platform/x11/X11Backend.h"

#include <cstdlib>
#include <stdexcept>

namespace {

std::unique_ptr<TWindowSystem>& Current() {
    static std::unique_ptr<TWindowSystem> current;
    return current;
}

std::string& FallbackReason() {
    static std::string reason;
    return reason;
}

bool HasDisplay() {
    const char* value = std::getenv("DISPLAY");
    return value != nullptr && *value != '\0';
}

} // namespace

std::unique_ptr<TWindowSystem> CreateWindowSystem() {
    FallbackReason().clear();
    const char* forced = std::getenv("SSI_BACKEND");
    const std::string choice = forced != nullptr ? forced : "";
    if (choice == "headless")
        return std::make_unique<THeadlessBackend>();
    if (choice == "x11")
        return std::make_unique<TX11Backend>();
    if (!choice.empty())
        throw std::runtime_error("SSI_BACKEND must be \"x11\" or \"headless\", not \"" + choice +
                                 "\"");
    if (HasDisplay()) {
        try {
            return std::make_unique<TX11Backend>();
        } catch (const std::runtime_error& e) {
            // An unreachable display is the same as none.
            FallbackReason() = e.what();
        }
    }
    return std::make_unique<THeadlessBackend>();
}

const std::string& DisplayFallbackReason() {
    return FallbackReason();
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
