#pragma once
// Which window system a program runs on, and the one it is running on.
//
// SSI_BACKEND=headless or SSI_BACKEND=x11 forces a backend. Otherwise the X
// display is used when DISPLAY names one and both the X library and the
// display can be had, and the headless backend when not, so a program
// without a display still runs (the installer's unattended mode needs no
// screen). Why a display could not be had is kept for the program to tell.

#include "platform/window/WindowSystem.h"

#include <memory>
#include <string>

// A new window system chosen as above. Throws std::runtime_error when
// SSI_BACKEND names an unknown backend or forces X and X cannot start.
std::unique_ptr<TWindowSystem> CreateWindowSystem();

// Why the last CreateWindowSystem fell back to the headless backend although
// a display was announced ("cannot open the display :3", "libX11.so.6:
// cannot open shared object file..."); empty when it did not.
const std::string& DisplayFallbackReason();

// The program's window system, made by CreateWindowSystem on first use.
TWindowSystem& WindowSystem();
// Replaces the program's window system (a test installs a fresh headless one
// for each case); the previous one and its windows are destroyed. Null makes
// the next WindowSystem() choose again.
void SetWindowSystem(std::unique_ptr<TWindowSystem> system);
