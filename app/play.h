// The game in its desktop window, from opening it to closing it.
#pragma once

#include <functional>
#include <memory>

#include "platform/desktop_window.h"

// What the game runs in, given the real window: a window that wraps it.
using WindowWrapper = std::function<std::unique_ptr<platform::Window>(platform::Window& real)>;

// Opens the window, runs the game until the window is closed, and answers the
// process's exit status: 1, with one line on standard error, when the window
// can't be opened. `prepare` may adjust the window before the game starts;
// `wrap`, if given, puts a window of its own between the game and the real one.
int PlayInWindow(const platform::ViewOptions& view = {},
                 const std::function<void(platform::DesktopWindow&)>& prepare = {}, const WindowWrapper& wrap = {});
