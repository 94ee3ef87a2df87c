#include "app/splits.h"

#include <cstdio>
#include <cstdlib>

#include "replay/replay.h"

void Splits::See(const Game& game) {
  const bool reached[kSplitPoints] = {game.Flag1.Raised != False, game.Flag2.Raised != False,
                                      game.Door1.Opened != False};
  for (int i = 0; i < kSplitPoints; ++i) {
    if (reached[i] && !at[std::size_t(i)]) at[std::size_t(i)] = game.FramesDrawn;
  }
}

Splits SplitsOf(const std::vector<platform::ScriptedEvent>& events) {
  replay::HeadlessGame run(events);
  Splits splits;
  replay::Replay(run, std::nullopt, [&](const Game& game) {
    splits.See(game);
    if (splits[SplitPoint::Door]) throw platform::ProgramEnded{};
  });
  return splits;
}

std::string RaceTime(std::int64_t frames) {
  const std::int64_t hundredths = frames % 100, seconds = frames / 100 % 60, minutes = frames / 6000 % 60,
                     hours = frames / 360000;
  char text[48];
  if (hours > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", (long long)hours, (long long)minutes,
                  (long long)seconds, (long long)hundredths);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", (long long)minutes, (long long)seconds,
                  (long long)hundredths);
  }
  return text;
}

std::string RaceDelta(std::int64_t frames) {
  const std::int64_t size = std::llabs(frames);
  char number[40];
  std::snprintf(number, sizeof number, "%lld.%02lld", (long long)(size / 100), (long long)(size % 100));
  if (frames == 0) return number;
  return (frames < 0 ? "\u2212" : "+") + std::string(number);
}

const char* SplitName(SplitPoint point) {
  switch (point) {
    case SplitPoint::Flag1:
      return "Flag 1";
    case SplitPoint::Flag2:
      return "Flag 2";
    case SplitPoint::Door:
      return "Door";
  }
  return "";
}
