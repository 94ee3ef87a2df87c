// Runs of the game on the stand-in window (live_window.h) and in replays,
// compared by the trace's game-state columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "files.h"
#include "live_window.h"
#include "replay/replay.h"
#include "replay/script.h"
#include "shell/stage1.h"

inline std::string RouteText(const std::string& name) { return ReadFile(RoutePath(name)); }

// A trace row without its tick and caption, the columns a recording holds.
inline std::string GameColumns(std::int64_t frame, std::int64_t tick, int deaths) {
  const std::string row = replay::TraceRow(frame, tick, deaths);
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
    return [this](std::int64_t frame, std::int64_t tick, int deaths) {
      rows.push_back(GameColumns(frame, tick, deaths));
      ticks.push_back(tick);
    };
  }
};

// Runs the game in `window` from start-up to its close.
inline void RunToClose(platform::Window& window) {
  platform::UseWindow(&window);
  try {
    CreateStage1();
  } catch (const platform::ProgramEnded&) {
  }
  platform::UseWindow(nullptr);
}

// The rows of a replay of the script's text.
inline std::vector<std::string> ReplayRows(const std::string& text, std::optional<std::int64_t> frames = {}) {
  std::vector<std::string> rows;
  replay::Replay(replay::ParseScript(text, "script"), frames, [&](std::int64_t frame, std::int64_t tick, int deaths) {
    rows.push_back(GameColumns(frame, tick, deaths));
  });
  return rows;
}
