// Recording: whenever the player's events reach the live game (between two
// frames in any pump, in the pause loop, several in one pump, auto-repeated,
// after the death message, closing while paused or while the message is up),
// the recording replays to the same frames.
#include "replay/recording.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/recorder.h"
#include "generated/version.h"
#include "live_runs.h"
#include "platform/keys.h"

namespace {

class TempFile {
 public:
  TempFile()
      : path_((std::filesystem::temp_directory_path() / ("plinkard-recording-" + std::to_string(getpid()))).string()) {}
  ~TempFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

struct Recorded {
  LiveRun live;
  std::string script;
  int undelivered = 0;
  int deaths = 0;
};

// Plays the moments live, recording; `duringRun` looks at the recording's
// file after each frame.
Recorded Record(std::vector<LiveMoment> moments,
                const std::function<void(std::int64_t frame, const std::string& path)>& duringRun = {}) {
  TempFile file;
  replay::OutputFile out("test");
  EXPECT_TRUE(out.Open(file.path()));
  LiveWindow real(std::move(moments));
  Recorded recorded;
  const replay::FrameObserver observe = recorded.live.Observer();
  std::string finished;  // what the recording would be, asked for before it is finished
  const auto finish = [&](RecordingWindow& window) {
    finished = window.Finished();
    window.Finish();
  };
  RunToClose<RecordingWindow>(real, finish, &out, [&](const Game& game) {
    observe(game);
    if (duringRun) duringRun(game.FramesDrawn, file.path());
  });
  EXPECT_TRUE(out.Close());
  recorded.undelivered = real.Undelivered();
  recorded.deaths = real.Messages();
  recorded.script = ReadFile(file.path());
  EXPECT_EQ(finished, recorded.script);
  return recorded;
}

// A route's events before `before` ms, each in the first pump after the frame
// that a replay delivers it after.
std::vector<LiveMoment> RouteMoments(const std::string& name, std::int64_t before) {
  const replay::Script route = replay::ParseScript(RouteText(name), name);
  std::vector<LiveMoment> moments;
  for (const platform::ScriptedEvent& e : route.events) {
    if (e.time >= before) continue;
    moments.push_back({std::max<std::int64_t>((e.time + 9) / 10, 1), 1, {e}});
  }
  return moments;
}

std::vector<LiveMoment> Joined(std::vector<LiveMoment> a, const std::vector<LiveMoment>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// With the stand-in's clock, frames are 4 pumps apart (1 after a late frame,
// every 7th); a pause loop's pumps count on from 5.
struct Case {
  const char* what;
  std::vector<LiveMoment> moments;
  int deaths = 0;
  int rowsOnlyInReplay = 0;
};

std::vector<LiveMoment> Repeats(std::int16_t key, std::int64_t fromFrame, std::int64_t toFrame) {
  std::vector<LiveMoment> moments;
  for (std::int64_t k = fromFrame; k <= toFrame; ++k)
    moments.push_back({k, int(k % 7 == 0 ? 1 : 1 + k % 3), {Press(key)}});
  return moments;
}

const std::vector<Case>& Cases() {
  using namespace vk;
  static const std::vector<Case> cases{
      {"between frames, in the first, a middle and the last pump, with late frames",
       {{1, 1, {Press(Right)}},
        {12, 2, {Press(Up), Release(Up)}},
        {30, 4, {Press(Ctrl)}},
        {40, 1, {Press(Up)}},
        {40, 3, {Release(Up)}},
        {46, 2, {Press(Up), Release(Up)}},
        {80, 1, {Release(Ctrl)}},
        {81, 2, {Release(Right)}},
        {100, 1, {CloseWindow()}}}},
      {"a short pause, one key per pump: a jump and a measuring key taken while paused",
       {{1, 1, {Press(Right)}},
        {20, 1, {Press(P)}},
        {20, 8, {Press(Up)}},
        {20, 9, {Release(Up)}},
        {20, 10, {Press(W)}},
        {20, 12, {Release(P)}},
        {20, 14, {Press(P)}},
        {21, 1, {Release(P)}},
        {30, 1, {Release(W)}},
        {60, 1, {CloseWindow()}}}},
      {"a long pause: auto-repeat while paused runs the clock past the next frame's start",
       Joined(Joined({{1, 1, {Press(Right)}}, {20, 1, {Press(P)}}, {20, 6, {Release(P)}}},
                     [] {
                       std::vector<LiveMoment> held;
                       for (int pump = 8; pump <= 30; ++pump) held.push_back({20, pump, {Press(D)}});
                       return held;
                     }()),
              {{20, 31, {Press(P)}},
               {21, 1, {Release(D), Release(P)}},
               {50, 2, {Press(P)}},
               {50, 5, {Release(P)}},
               {50, 6, {Press(P)}},
               {70, 1, {CloseWindow()}}})},
      {"several events in one pump of the pause loop, after the P that resumes and before it",
       {{1, 1, {Press(Right)}},
        {20, 1, {Press(P)}},
        {20, 5, {Release(P)}},
        {20, 7, {Press(P), Press(Up), Release(Up), Press(Left)}},
        {21, 1, {Release(P)}},
        {40, 1, {Press(P)}},
        {40, 6, {Press(Up), Release(Up), Release(P), Press(P), Release(Left)}},
        {41, 1, {Release(P)}},
        {60, 2, {CloseWindow()}}}},
      {"a pause and its resume both between the same two frames",
       {{1, 1, {Press(Right)}},
        {15, 1, {Press(P)}},
        {15, 2, {Release(P)}},
        {15, 3, {Press(P), Release(P)}},
        {25, 1, {Press(P), Release(P), Press(P), Release(P)}},
        {40, 1, {CloseWindow()}}}},
      {"auto-repeat of held keys, the measuring keys among them",
       Joined(
           Joined(Joined(Repeats(Right, 1, 60), Repeats(Ctrl, 20, 40)), Joined(Repeats(A, 5, 30), Repeats(G, 10, 50))),
           {{41, 1, {Release(Ctrl)}},
            {31, 3, {Release(A)}},
            {51, 2, {Release(G)}},
            {61, 1, {Release(Right)}},
            {70, 1, {CloseWindow()}}})},
      {"a death: its message answered with Return, and the keys let go after it",
       Joined(RouteMoments("deaths.txt", 5600), {{556, 1, {Release(Enter)}}, {580, 2, {CloseWindow()}}}), 1},
      {"a close while paused",
       {{1, 1, {Press(Right)}}, {30, 1, {Press(P)}}, {30, 5, {Release(P)}}, {30, 8, {CloseWindow()}}}},
      // The live game ends inside the dying frame; the replay, which answers
      // the message at once, finishes that frame before the close.
      {"a close while the death message is up",
       Joined(RouteMoments("deaths.txt", 5560), {{555, kInMessage, {CloseWindow()}}}), 1, 1},
  };
  return cases;
}

TEST(Recording, ReplaysToTheSameFramesWheneverTheEventsCame) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    const Recorded recorded = Record(c.moments);
    ASSERT_EQ(recorded.undelivered, 0) << "the case never came to some of its moments";
    ASSERT_EQ(recorded.deaths, c.deaths);
    const std::vector<std::string> replayed = ReplayRows(recorded.script);
    ASSERT_EQ(replayed.size(), recorded.live.rows.size() + std::size_t(c.rowsOnlyInReplay)) << recorded.script;
    for (std::size_t i = 0; i < recorded.live.rows.size(); ++i) {
      ASSERT_EQ(replayed[i], recorded.live.rows[i]) << "frame " << i + 1 << "\n" << recorded.script;
    }
    const replay::Verdict verdict = replay::Verify(replay::ReadRecording(recorded.script, "recorded"));
    EXPECT_EQ(verdict.kind, replay::Verdict::Kind::Verified) << verdict.words << "\n" << recorded.script;
  }
}

TEST(Recording, IsOnDiskBeforeTheFrameAfterItsEvents) {
  // A killed game loses at most the events since the last frame drawn.
  std::vector<std::string> seen;
  Record({{1, 1, {Press(vk::Right)}}, {3, 2, {Press(vk::Up)}}, {6, 1, {CloseWindow()}}},
         [&](std::int64_t, const std::string& path) { seen.push_back(ReadFile(path)); });
  ASSERT_EQ(seen.size(), 6u);
  const std::string header = std::string("# Plinkard recording 2, made by Plinkard ") + PLINKARD_VERSION + " on ";
  EXPECT_EQ(seen[0].substr(0, header.size()), header);
  EXPECT_EQ(seen[0].find("down"), std::string::npos);
  EXPECT_NE(seen[1].find("10    down Right\n"), std::string::npos);
  EXPECT_EQ(seen[2].find("down Up"), std::string::npos);
  EXPECT_NE(seen[3].find("30    down Up\n"), std::string::npos);
}

}  // namespace
