// The game in its desktop window, from opening it to closing it.
#pragma once

#include <functional>
#include <memory>

#include "platform/desktop_window.h"
#include "shell/game.h"

// What the game runs in, given the real window and the game: a window that
// wraps the real one.
using WindowWrapper = std::function<std::unique_ptr<platform::Window>(platform::Window& real, Game& game)>;

// Opens the desktop window (its caption "Form1", its restored size the
// stage window's), lets `use` run in it, and answers the process's exit
// status: 1, with one line on standard error, when the window can't be opened.
int InDesktopWindow(const platform::ViewOptions& view, const std::function<void(platform::DesktopWindow&)>& use);

// Opens the window, runs a game in it until the window is closed, and
// answers the process's exit status: 1, with one line on standard error, when
// the window can't be opened. `prepare` may adjust the window before the game
// starts; `wrap`, if given, puts a window of its own between the game and the
// real one; `ended` hears of the game as the window closed it.
int PlayInWindow(const platform::ViewOptions& view = {},
                 const std::function<void(platform::DesktopWindow&)>& prepare = {}, const WindowWrapper& wrap = {},
                 const std::function<void(const Game&)>& ended = {});
