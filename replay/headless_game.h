// A game on a window without a screen, driven by a script's events: what a
// replay runs, and what a viewer or a ghost steps through a few frames at a
// time. A copy goes on from where this one is: the game, and the window's
// clock and events with it; what hears the window's presents (OnPresent) is
// each one's own.
#pragma once

#include <vector>

#include "platform/headless_window.h"
#include "shell/game.h"

namespace replay {

struct HeadlessGame {
  explicit HeadlessGame(std::vector<platform::ScriptedEvent> events) : window(std::move(events)), game(window) {}
  HeadlessGame(const HeadlessGame& other) : window(other.window), game(other.game) {
    window.OnPresent = nullptr;
    game.window = &window;
  }
  HeadlessGame& operator=(const HeadlessGame& other) {
    auto onPresent = std::move(window.OnPresent);
    window = other.window;
    window.OnPresent = std::move(onPresent);
    game = other.game;
    game.window = &window;
    return *this;
  }

  platform::HeadlessWindow window;
  Game game;
};

}  // namespace replay
