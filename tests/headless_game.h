// Running the real game on the headless window inside a test.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/headless_window.h"
#include "shell/module1.h"
#include "shell/stage1.h"

using platform::ScriptedEvent;
using Kind = platform::ScriptedEvent::Kind;

inline ScriptedEvent Down(std::int64_t t, std::int16_t key) { return {t, Kind::KeyDown, key}; }
inline ScriptedEvent Up(std::int64_t t, std::int16_t key) { return {t, Kind::KeyUp, key}; }
inline ScriptedEvent Close(std::int64_t t) { return {t, Kind::Close, 0}; }

// A game on a headless window that stays installed for the test's life, so
// that methods called afterwards (a death's message box) still have a window.
class HeadlessGame {
 public:
  explicit HeadlessGame(std::vector<ScriptedEvent> events = {Close(0)}) : window(std::move(events)) {
    platform::UseWindow(&window);
  }
  ~HeadlessGame() { platform::UseWindow(nullptr); }
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // Starts the program and runs it to its close request. True when it ended
  // that way (rather than waiting paused forever).
  bool Run() {
    try {
      CreateStage1();
    } catch (const platform::ProgramEnded&) {
      return true;
    } catch (const platform::RunCannotEnd&) {
      return false;
    }
    return false;
  }

  platform::HeadlessWindow window;
};

// A started game that has drawn its first frame and been closed: the player,
// flags and door are in their start-up places, and tests drive them directly.
class StartedGame : public HeadlessGame {
 public:
  StartedGame() { Run(); }
  playercls& player() { return *module1::Player; }
};
