// The game in its desktop window, from opening it to closing it.
#pragma once

#include <functional>

#include "platform/sdl_window.h"

// Opens the window, runs the game until the window is closed, and answers the
// process's exit status. `prepare` may adjust the window before the game starts.
int PlayInWindow(const std::function<void(platform::SdlWindow&)>& prepare = {});
