#pragma once
// Which window system a program runs on, and the one it is running on.
//
// SSI_BACKEND=headless or SSI_BACKEND=sdl forces a backend. Otherwise SDL is
// used when a display is announced (DISPLAY or WAYLAND_DISPLAY) and its video
// starts, and the headless backend when not, so a program without a display
// still runs (the installer's unattended mode needs no screen).

#include "platform/window/WindowSystem.h"

#include <memory>

// A new window system chosen as above. Throws std::runtime_error when
// SSI_BACKEND names an unknown backend or forces SDL and SDL cannot start.
std::unique_ptr<TWindowSystem> CreateWindowSystem();

// The program's window system, made by CreateWindowSystem on first use.
TWindowSystem& WindowSystem();
// Replaces the program's window system (a test installs a fresh headless one
// for each case); the previous one and its windows are destroyed. Null makes
// the next WindowSystem() choose again.
void SetWindowSystem(std::unique_ptr<TWindowSystem> system);
