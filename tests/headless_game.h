// Running the real game on the headless window inside a test.
#pragma once

#include <vector>

#include "replay/headless_game.h"

using platform::ScriptedEvent;
using Kind = platform::ScriptedEvent::Kind;

inline ScriptedEvent Down(std::int64_t t, std::int16_t key) { return {t, Kind::KeyDown, key}; }
inline ScriptedEvent Up(std::int64_t t, std::int16_t key) { return {t, Kind::KeyUp, key}; }
inline ScriptedEvent Close(std::int64_t t) { return {t, Kind::Close, 0}; }

// A game on a headless window, which stays its window for the test's life, so
// that methods called afterwards (a death's message box) still have one.
class HeadlessGame : public replay::HeadlessGame {
 public:
  explicit HeadlessGame(std::vector<ScriptedEvent> events = {Close(0)}) : replay::HeadlessGame(std::move(events)) {}

  // Starts the program and runs it to its close request. True when it ended
  // that way (rather than waiting paused forever).
  bool Run() {
    try {
      game.Form_Load();
    } catch (const platform::ProgramEnded&) {
      return true;
    } catch (const platform::RunCannotEnd&) {
      return false;
    }
    return false;
  }
};

// A started game that has drawn its first frame and been closed: the player,
// flags and door are in their start-up places, and tests drive them directly.
class StartedGame : public HeadlessGame {
 public:
  StartedGame() { Run(); }
  playercls& player() { return game.Player; }
};
