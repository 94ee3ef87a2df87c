#include <algorithm>

#include "replay/recording.h"
#include "replay/replay.h"
#include "replay/sha256.h"

namespace replay {

RunResult ResultOf(const std::vector<platform::ScriptedEvent>& events, std::optional<std::int64_t> frames,
                   const std::vector<Check>& claimed) {
  HeadlessGame run(events);
  const std::vector<platform::ScriptedEvent>& order = run.window.Events();
  RunResult result;
  Sha256 block, all;
  std::size_t hashed = 0;  // events hashed so far
  std::int64_t blockStart = 1;
  int deaths = 0;
  const auto hashEvents = [&](std::size_t upTo, bool inBlock) {
    for (; hashed < upTo; ++hashed) {
      const std::string line = ScriptLine(order[hashed]);
      if (inBlock) block.Update(line);
      all.Update(line);
    }
  };
  const Outcome outcome = Replay(run, frames, [&](const Game& game) {
    hashEvents(run.window.EventsDelivered(), true);
    const std::string row = StateRow(game);
    block.Update(row);
    all.Update(row);
    if (!result.door && game.Door1.Opened != False) result.door = game.FramesDrawn;
    for (; deaths < game.Deaths; ++deaths) result.deathFrames.push_back(game.FramesDrawn);
    if (game.FramesDrawn % kFramesPerCheck == 0) {
      result.checks.push_back({blockStart, game.FramesDrawn, block.Hex()});
      block = Sha256();
      blockStart = game.FramesDrawn + 1;
      const std::size_t n = result.checks.size() - 1;
      if (!claimed.empty() && (n >= claimed.size() || !(claimed[n] == result.checks[n]))) run.window.RequestClose();
    }
  });
  result.frames = outcome.frames;
  result.deaths = outcome.deaths;
  if (result.frames >= blockStart) result.checks.push_back({blockStart, result.frames, block.Hex()});
  hashEvents(order.size(), false);
  result.all = all.Hex();
  return result;
}

Verdict Verify(const Recording& recording) {
  using Kind = Verdict::Kind;
  if (!recording.result) return {Kind::Unfinished, "unfinished: no result lines"};
  if (!recording.damaged.empty()) return {Kind::Differs, "differs: damaged result line " + recording.damaged.front()};
  const RunResult& claimed = *recording.result;
  const RunResult actual = ResultOf(recording.script.events, claimed.frames + 1, claimed.checks);
  const auto differs = [](std::int64_t frame) {
    return Verdict{Kind::Differs, "differs from frame " + std::to_string(frame)};
  };

  for (std::size_t i = 0; i < claimed.checks.size(); ++i) {
    if (i >= actual.checks.size() || !(actual.checks[i] == claimed.checks[i])) return differs(claimed.checks[i].first);
  }
  if (actual.frames != claimed.frames) return differs(std::min(actual.frames, claimed.frames) + 1);
  if (actual.all != claimed.all) return differs(claimed.checks.empty() ? 1 : claimed.frames + 1);
  // The checks agree: only the words of the result lines can be wrong.
  if (actual.door != claimed.door) {
    return differs(std::min(actual.door.value_or(claimed.frames + 1), claimed.door.value_or(claimed.frames + 1)));
  }
  if (actual.deaths != claimed.deaths) {
    return differs(claimed.deaths < actual.deaths ? actual.deathFrames[std::size_t(claimed.deaths)]
                                                  : claimed.frames + 1);
  }
  const std::string deaths = Deaths(actual.deaths);
  if (actual.door) {
    return {Kind::Verified,
            "verified: door at frame " + std::to_string(*actual.door) + " (" + Seconds(*actual.door) + "), " + deaths};
  }
  return {Kind::Verified, "verified: " + std::to_string(actual.frames) + " frames, " + deaths + ", door not opened"};
}

}  // namespace replay
