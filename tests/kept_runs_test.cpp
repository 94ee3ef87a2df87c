// The promise that lasts: every run kept in tests/runs, recorded in the window
// by a release, replays in this one to exactly the result its lines say.
// A run that was killed mid-way has no result lines, and still replays.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files.h"
#include "replay/recording.h"
#include "replay/replay.h"

namespace {

std::vector<std::filesystem::path> KeptRuns() {
  std::vector<std::filesystem::path> runs;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(PLINKARD_SOURCE_DIR) + "/tests/runs")) {
    if (entry.path().extension() == ".txt") runs.push_back(entry.path());
  }
  std::sort(runs.begin(), runs.end());
  return runs;
}

TEST(KeptRuns, EveryOneReplaysToItsOwnResult) {
  const std::vector<std::filesystem::path> runs = KeptRuns();
  ASSERT_GE(runs.size(), 10u);
  int finished = 0, doors = 0;
  std::uintmax_t bytes = 0;
  for (const auto& path : runs) {
    SCOPED_TRACE(path.filename().string());
    bytes += std::filesystem::file_size(path);
    const replay::Recording run = replay::ReadRecording(ReadFile(path.string()), path.filename().string());
    EXPECT_EQ(run.format, 2);
    const replay::Verdict verdict = replay::Verify(run);
    if (!run.result) {
      EXPECT_EQ(verdict.kind, replay::Verdict::Kind::Unfinished);
      replay::HeadlessGame killed(run.script.events);
      EXPECT_EQ(replay::Replay(killed, 500, nullptr).frames, 500);
      continue;
    }
    EXPECT_EQ(verdict.kind, replay::Verdict::Kind::Verified) << verdict.words;
    ++finished;
    doors += run.result->door.has_value();
  }
  EXPECT_GE(finished, 10);
  EXPECT_GE(doors, 1) << "no finished level among them";
  EXPECT_LT(bytes, 1000u * 1000u) << "the kept runs grow too large";
}

}  // namespace
