// A run's splits: the frames on which it reached the level's three points,
// the first flag raised, the second and the door opened. The run's time is
// its frames / 100 s: the frames are the game's, so pauses and the death
// message never count, and no clock can disagree with a video of the run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/scripted_event.h"
#include "shell/game.h"

enum class SplitPoint { Flag1, Flag2, Door };
inline constexpr int kSplitPoints = 3;

struct Splits {
  std::array<std::optional<std::int64_t>, kSplitPoints> at;

  std::optional<std::int64_t>& operator[](SplitPoint p) { return at[std::size_t(p)]; }
  const std::optional<std::int64_t>& operator[](SplitPoint p) const { return at[std::size_t(p)]; }
  bool operator==(const Splits&) const = default;

  // Notes the points the game has reached by the frame it drew last, each
  // at the first frame seen with it reached. Fed every frame in order, that
  // is the frame it was reached on.
  void See(const Game& game);
};

// The splits of a run made afresh from its recorded events, to its door (or its end).
Splits SplitsOf(const std::vector<platform::ScriptedEvent>& events);

// What the timer says: "0:17.40" for frame 1740, "1:00:00.00" past the hour.
std::string RaceTime(std::int64_t frames);
// How far a split is from the best's: "−0.35" ahead, "+1.20" behind (with
// the minus sign of the letters, not a hyphen), "0.00" level.
std::string RaceDelta(std::int64_t frames);
// "Flag 1", "Flag 2", "Door".
const char* SplitName(SplitPoint point);
