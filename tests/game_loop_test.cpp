#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/layout.h"
#include "headless_game.h"
#include "platform/keys.h"
#include "replay/replay.h"

namespace {

struct Frame {
  std::int64_t number, tick;
  std::string caption;
  float y;
};

std::vector<Frame> Play(std::vector<ScriptedEvent> events, std::int64_t frames) {
  replay::HeadlessGame run(std::move(events));
  std::vector<Frame> seen;
  replay::Replay(run, frames, [&](const Game& game) {
    seen.push_back({game.FramesDrawn, game.FrameTick(), game.Stage1.Caption, game.Player.Y});
  });
  return seen;
}

TEST(GameLoop, FramesStartEveryTenMillisecondsAndReportTheRateOnceASecond) {
  const std::vector<Frame> frames = Play({}, 250);
  ASSERT_EQ(frames.size(), 250u);
  for (const Frame& f : frames) ASSERT_EQ(f.tick, 10 * (f.number - 1));
  // The clock starts at 0, so the first second has no report yet.
  EXPECT_EQ(frames[99].caption, "Form1");
  EXPECT_EQ(frames[100].caption, "Plinkard running at 101FPS.");
  EXPECT_EQ(frames[200].caption, "Plinkard running at 100FPS.");
}

TEST(GameLoop, AFloodOfEventsNeverBringsFramesCloserThanTenMilliseconds) {
  std::vector<ScriptedEvent> flood;
  for (std::int64_t t = 0; t < 600; ++t) {
    for (int k = 0; k < 20; ++k) flood.push_back(Down(t, 99));
  }
  const std::vector<Frame> frames = Play(flood, 60);
  ASSERT_EQ(frames.size(), 60u);
  for (std::size_t i = 1; i < frames.size(); ++i) ASSERT_EQ(frames[i].tick - frames[i - 1].tick, 10);
}

TEST(GameLoop, KeepsItsPaceAcrossTheTickOfTwoToTheThirtyFirst) {
  // After 24.9 days of uptime the tick passes 2^31 milliseconds: frames go on.
  constexpr std::int64_t kStart = 2147483647 - 1005;
  HeadlessGame game({Close(kStart + 3000)});
  game.window.SetClock(kStart);
  std::vector<std::int64_t> ticks;
  game.window.OnPresent = [&](const platform::Surface&) { ticks.push_back(game.game.FrameTick()); };
  ASSERT_TRUE(game.Run());
  ASSERT_EQ(ticks.size(), 300u);
  EXPECT_EQ(ticks.front(), kStart);
  for (std::size_t i = 1; i < ticks.size(); ++i) ASSERT_EQ(ticks[i] - ticks[i - 1], 10);
  EXPECT_GT(ticks.back(), 2147483647 + 1000LL);
  EXPECT_EQ(game.window.Caption(), "Plinkard running at 100FPS.");
}

TEST(RateCaption, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RateCaption(1000 / (1000.00001 / 64)), "Plinkard running at 64FPS.");
  EXPECT_EQ(RateCaption(62.5), "Plinkard running at 62FPS.");
  EXPECT_EQ(RateCaption(63.5), "Plinkard running at 64FPS.");
  EXPECT_EQ(RateCaption(99.5), "Plinkard running at 100FPS.");
  // The first report on a machine that has been up for minutes.
  EXPECT_EQ(RateCaption(1000 / (300000 + 0.00001)), "Plinkard running at 0FPS.");
}

TEST(StartUp, PutsEverythingInItsPlaceOnOneDrawingSurface) {
  HeadlessGame game({Close(0)});
  std::string captionAtShow;
  game.window.OnPresent = [&](const platform::Surface&) {
    if (captionAtShow.empty()) captionAtShow = game.window.Caption();
  };
  ASSERT_TRUE(game.Run());

  EXPECT_TRUE(game.window.Shown());
  EXPECT_EQ(captionAtShow, "Form1");
  const Game& g = game.game;
  const playercls& p = g.Player;
  EXPECT_EQ(p.X, 8.0f);
  EXPECT_EQ(p.Y, 111.0f);
  EXPECT_EQ(p.Picstate, 2);
  EXPECT_EQ(p.XVelMax, 2.93f);
  EXPECT_EQ(p.Visible, True);
  EXPECT_EQ(g.Flag1.Raised, False);
  EXPECT_EQ(g.Flag2.Y, 544.0f);
  EXPECT_EQ(g.Door1.Opened, False);
  EXPECT_NE(g.Stage1.hDC(), 0);
  for (const platform::HDC form : {p.CurrentForm, g.Flag1.CurrentForm, g.Flag2.CurrentForm, g.Door1.CurrentForm}) {
    EXPECT_EQ(form, g.Stage1.hDC());
  }
}

TEST(Keyboard, RecordsCodesZeroToNinetyNineOnly) {
  StartedGame started;
  Game& game = started.game;
  game.Form_KeyDown(99, 0);
  game.Form_KeyDown(100, 0);
  game.Form_KeyDown(-1, 0);
  game.Form_KeyDown(-32768, 0);
  game.Form_KeyDown(32767, 0);
  EXPECT_EQ(game.KeyState[99], True);
  EXPECT_EQ(game.KeyState[100], False);
  EXPECT_EQ(game.KeyState[0], False);

  game.KeyState[100] = True;  // nothing writes it; a release of 100 must not either
  game.Form_KeyUp(100, 0);
  EXPECT_EQ(game.KeyState[100], True);
  game.Form_KeyUp(99, 0);
  EXPECT_EQ(game.KeyState[99], False);
}

TEST(Keyboard, CtrlSwitchesRunningOnAndOffOnTheFloor) {
  StartedGame game;
  game.game.Form_KeyDown(vk::Ctrl, 0);
  EXPECT_EQ(game.player().XVelMax, 6.67f);
  game.game.Form_KeyUp(vk::Ctrl, 0);
  EXPECT_EQ(game.player().XVelMax, 2.93f);
}

TEST(Pause, HoldsTheFrameWithTheBannerAndKeepsKeysActing) {
  // P before frame 6; Up while paused; P again to resume.
  HeadlessGame game(
      {Down(50, vk::P), Up(51, vk::P), Down(100, vk::Up), Up(110, vk::Up), Down(200, vk::P), Close(1100)});
  std::vector<std::int64_t> frameTicks;
  std::vector<float> ys;
  bool bannerShown = false;
  std::string pausedCaption;
  game.window.OnPresent = [&](const platform::Surface& back) {
    if (game.game.Paused != False) {
      const platform::Surface& banner = *game.game.Stage1.pausedpic.Picture;
      constexpr platform::Rect b = layout::Banner;
      bannerShown = back.At(b.x, b.y) == banner.At(0, 0) && back.At(b.Right(), b.Bottom()) == banner.At(530, 94);
      pausedCaption = game.window.Caption();
      return;
    }
    frameTicks.push_back(game.game.FrameTick());
    ys.push_back(game.game.Player.Y);
  };
  ASSERT_TRUE(game.Run());

  EXPECT_TRUE(bannerShown);
  EXPECT_EQ(pausedCaption, "PAUSED");
  // Frame 6 started at 50, waited through the pause and went on at once; the
  // jump pressed during the pause is its first movement.
  ASSERT_GE(frameTicks.size(), 8u);
  EXPECT_EQ(frameTicks[5], 50);
  EXPECT_EQ(ys[4], 111.0f);
  EXPECT_EQ(ys[5], 106.669998f);
  EXPECT_EQ(frameTicks[6], 201);
  EXPECT_EQ(frameTicks[7], 211);
  // The first report, at tick 1001, counts 87 frames over the whole second, pause included.
  EXPECT_EQ(game.window.Caption(), "Plinkard running at 87FPS.");
}

TEST(Pause, CaptionStaysPausedUntilTheNextRateReport) {
  HeadlessGame game({Down(1500, vk::P), Down(1600, vk::P), Close(1700)});
  std::vector<std::string> captions;
  game.window.OnPresent = [&](const platform::Surface&) {
    if (game.game.Paused == False) captions.push_back(game.window.Caption());
  };
  ASSERT_TRUE(game.Run());
  // Resumed at 1600 inside the frame that started at 1500; the report is due at 2000-ish.
  ASSERT_GT(captions.size(), 160u);
  EXPECT_EQ(captions[150], "PAUSED");
  EXPECT_EQ(captions[160], "PAUSED");
}

TEST(Close, EndsTheProgramAtOnceEvenWhilePaused) {
  // Nothing after the close is delivered: the Space would raise nothing anyway,
  // but the key state shows whether it arrived.
  HeadlessGame game({Down(30, vk::P), Close(60), Down(60, vk::Space)});
  ASSERT_TRUE(game.Run());
  EXPECT_EQ(game.game.Running, False);
  EXPECT_EQ(game.game.Paused, True);
  EXPECT_EQ(game.game.KeyState[vk::Space], False);
  EXPECT_EQ(game.window.EventsLeft(), 1u);
}

TEST(Close, APausedGameWithNothingLeftToDeliverCanNeverEnd) {
  HeadlessGame game({Down(30, vk::P)});
  EXPECT_FALSE(game.Run());
}

}  // namespace
