// The viewer's run: any frame, reached forwards, backwards or by a jump,
// shows exactly what a replay that stops there shows, and the run's end is
// found however it ends.
#include "replay/seekable_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live_runs.h"

namespace {

std::vector<platform::ScriptedEvent> Events(const std::string& text) {
  return replay::ParseScript(text, "script").events;
}

// What plinkard-replay --frames N shows and traces.
struct Stopped {
  std::string row;
  std::vector<platform::Pixel> picture;
};
Stopped ReplayedTo(const std::string& text, std::int64_t frames) {
  replay::HeadlessGame run(Events(text));
  Stopped stopped;
  replay::Replay(run, frames, [&](const Game& game) { stopped.row = replay::TraceRow(game); });
  stopped.picture = run.game.Stage1.BackImage.Pixels();
  return stopped;
}

TEST(SeekableRun, EveryFrameShownIsTheReplaysFrameWhicheverWayItIsReached) {
  for (const char* route : {"complete.txt", "deaths.txt", "pause.txt"}) {
    SCOPED_TRACE(route);
    const std::string text = RouteText(route);
    std::vector<std::string> scanned;
    replay::SeekableRun run(Events(text), [&](const Game& game) { scanned.push_back(replay::TraceRow(game)); });
    while (run.Scan(300)) {
    }
    EXPECT_TRUE(run.Closes());
    std::vector<std::string> replayed;
    replay::HeadlessGame whole(Events(text));
    replay::Replay(whole, std::nullopt, [&](const Game& game) { replayed.push_back(replay::TraceRow(game)); });
    EXPECT_EQ(scanned, replayed) << "the scan hears each frame once, as the replay traces it";
    ASSERT_EQ(run.Frames(), std::int64_t(replayed.size()));

    const std::int64_t last = run.Frames();
    // Forwards, one back, jumps back and on, across the copies kept every 500 frames.
    for (const std::int64_t frame : {std::int64_t(1), std::int64_t(2), last / 2, last / 2 - 1, std::int64_t(20),
                                     std::int64_t(501), std::int64_t(500), last, last - 1, std::int64_t(1)}) {
      if (frame > last) continue;
      const Game& shown = run.Show(frame);
      const Stopped expected = ReplayedTo(text, frame);
      ASSERT_EQ(replay::TraceRow(shown), expected.row) << frame;
      ASSERT_TRUE(shown.Stage1.BackImage.Pixels() == expected.picture) << "the picture of frame " << frame;
    }
  }
}

TEST(SeekableRun, ARunWithoutACloseEndsAFrameAfterItsLastEvent) {
  replay::SeekableRun killed(Events("10 down Right\n995 up Right\n"), nullptr);
  while (killed.Scan(1000)) {
  }
  EXPECT_FALSE(killed.Closes());
  EXPECT_EQ(killed.Frames(), 101);  // the up, delivered before frame 101, shows in it
  EXPECT_EQ(killed.Show(5000).FramesDrawn, 101);

  replay::SeekableRun paused(Events("25 tap P\n"), nullptr);
  while (paused.Scan(10)) {
  }
  EXPECT_FALSE(paused.Closes());
  EXPECT_EQ(paused.Frames(), 3);
}

}  // namespace
