// Runs of the game on the stand-in window (live_window.h) and in replays,
// compared by the trace's game-state columns.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files.h"
#include "live_window.h"
#include "replay/replay.h"
#include "replay/script.h"

inline std::string RouteText(const std::string& name) { return ReadFile(RoutePath(name)); }

// A trace row without its tick and caption, the columns a recording holds.
inline std::string GameColumns(const Game& game) {
  const std::string row = replay::TraceRow(game);
  const std::size_t tickStart = row.find(',') + 1;
  const std::size_t tickEnd = row.find(',', tickStart);
  const std::size_t caption = row.find(",\"");
  return row.substr(0, tickStart) + row.substr(tickEnd + 1, caption - tickEnd - 1);
}

// What a live run showed, frame by frame.
struct LiveRun {
  std::vector<std::string> rows;
  std::vector<std::int64_t> ticks;  // the live clock at each frame's start

  replay::FrameObserver Observer() {
    return [this](const Game& game) {
      rows.push_back(GameColumns(game));
      ticks.push_back(game.FrameTick());
    };
  }
};

// Runs a game afresh from start-up to its close, on a window of type
// Wrapper that wraps the stand-in `real`: Wrapper(real, game, args...). Once
// the game has ended, `ended` hears of the window.
template <class Wrapper, class... Args>
void RunToClose(LiveWindow& real, const std::function<void(Wrapper&)>& ended, Args&&... args) {
  Game game(real);
  real.Follow(game);
  Wrapper window(real, game, std::forward<Args>(args)...);
  game.window = &window;
  try {
    game.Form_Load();
  } catch (const platform::ProgramEnded&) {
  }
  if (ended) ended(window);
}

// The rows of a replay of the script's text.
inline std::vector<std::string> ReplayRows(const std::string& text, std::optional<std::int64_t> frames = {}) {
  std::vector<std::string> rows;
  replay::HeadlessGame run(replay::ParseScript(text, "script").events);
  replay::Replay(run, frames, [&](const Game& game) { rows.push_back(GameColumns(game)); });
  return rows;
}
