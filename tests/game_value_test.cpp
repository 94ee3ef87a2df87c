// One game is a value: a copy goes on exactly as the game it was taken from,
// assigning a kept copy goes back to it, games run side by side without
// touching each other, and stepping a few frames at a time ends where a
// replay's --frames does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live_runs.h"

namespace {

replay::HeadlessGame Started(const std::string& route) {
  replay::HeadlessGame run(replay::ParseScript(RouteText(route), route).events);
  run.game.StartUp();
  return run;
}

// The rows of the frames after the one the game stands at, up to `last`.
std::vector<std::string> RowsUntil(replay::HeadlessGame& run, std::int64_t last) {
  std::vector<std::string> rows;
  while (run.game.FramesDrawn < last && run.game.RunUntilFrame(run.game.FramesDrawn + 1)) {
    rows.push_back(GameColumns(run.game));
  }
  return rows;
}

const std::vector<platform::Pixel>& Picture(const replay::HeadlessGame& run) {
  return run.game.Stage1.BackImage.Pixels();
}

TEST(GameValue, ACopyGoesOnExactlyAsTheGameItWasTakenFrom) {
  replay::HeadlessGame run = Started("complete.txt");
  ASSERT_TRUE(run.game.RunUntilFrame(500));
  replay::HeadlessGame copy = run;
  EXPECT_NE(copy.game.Stage1.hDC(), run.game.Stage1.hDC()) << "a back image of its own";
  EXPECT_EQ(copy.game.Player.CurrentForm, copy.game.Stage1.hDC());
  EXPECT_EQ(Picture(copy), Picture(run));

  const std::vector<platform::Pixel> at500 = Picture(copy);
  const std::vector<std::string> original = RowsUntil(run, 1750);
  EXPECT_EQ(Picture(copy), at500) << "untouched meanwhile";
  EXPECT_EQ(copy.game.FramesDrawn, 500);
  EXPECT_EQ(RowsUntil(copy, 1750), original);
  EXPECT_EQ(Picture(copy), Picture(run));
  EXPECT_EQ(copy.game.Door1.Opened, True);
}

TEST(GameValue, AssigningAKeptCopyGoesBackToIt) {
  replay::HeadlessGame run = Started("deaths.txt");
  ASSERT_TRUE(run.game.RunUntilFrame(300));
  const replay::HeadlessGame kept = run;
  const platform::HDC form = run.game.Stage1.hDC();
  const std::vector<std::string> first = RowsUntil(run, 1200);
  const std::vector<platform::Pixel> picture = Picture(run);

  run = kept;
  EXPECT_EQ(run.game.Stage1.hDC(), form) << "the game keeps its own back image";
  EXPECT_EQ(run.game.Player.CurrentForm, form);
  EXPECT_EQ(RowsUntil(run, 1200), first);
  EXPECT_EQ(Picture(run), picture);
}

TEST(GameValue, GamesStepByStepSideBySideEachPlayTheirOwnRun) {
  replay::HeadlessGame a = Started("complete.txt");
  replay::HeadlessGame b = Started("deaths.txt");
  std::vector<std::string> rowsA, rowsB;
  for (std::int64_t frame = 1; frame <= 1750; ++frame) {
    if (a.game.RunUntilFrame(frame)) rowsA.push_back(GameColumns(a.game));
    if (b.game.RunUntilFrame(frame)) rowsB.push_back(GameColumns(b.game));
  }
  EXPECT_EQ(rowsA, ReplayRows(RouteText("complete.txt"), 1750));
  EXPECT_EQ(rowsB, ReplayRows(RouteText("deaths.txt"), 1750));
}

TEST(GameValue, SteppingEndsWhereAReplaysFramesDoes) {
  for (const std::int64_t frames : {1, 19, 20, 21, 100}) {  // frame 20 holds paused
    replay::HeadlessGame stepped = Started("pause.txt");
    stepped.game.RunUntilFrame(frames);
    replay::HeadlessGame replayed(replay::ParseScript(RouteText("pause.txt"), "pause.txt").events);
    replay::Replay(replayed, frames, nullptr);
    EXPECT_EQ(stepped.game.FramesDrawn, frames);
    EXPECT_EQ(GameColumns(stepped.game), GameColumns(replayed.game)) << frames;
    EXPECT_EQ(Picture(stepped), Picture(replayed)) << frames;
  }
}

TEST(GameValue, AClosedGameSaysSo) {
  replay::HeadlessGame run(replay::ParseScript("0 down Right\n100 close\n", "script").events);
  run.game.StartUp();
  EXPECT_FALSE(run.game.RunUntilFrame(1000));
  EXPECT_EQ(run.game.FramesDrawn, 10);
  EXPECT_EQ(run.game.Running, False);
}

}  // namespace
