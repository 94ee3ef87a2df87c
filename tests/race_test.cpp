// Racing: the timer, the ghost, the speed and one frame on never change the
// player's game, the run recorded with them replays to the same frames, the
// split timer hears of each point on its frame, and only a finished run at
// full speed becomes the best.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/livesplit.h"
#include "app/race_window.h"
#include "app/recorder.h"
#include "core/layout.h"
#include "live_runs.h"
#include "livesplit_server.h"
#include "platform/keys.h"
#include "platform/presentation.h"

namespace {

// What a split timer is told, a line a call.
class FakeSplitTimer final : public SplitTimer {
 public:
  std::vector<std::string> told;
  void StartTimer() override { told.push_back("starttimer"); }
  void Split(std::int64_t frame) override { told.push_back("split " + RaceTime(frame)); }
  void SkipSplit() override { told.push_back("skipsplit"); }
  void Pause() override { told.push_back("pause"); }
  void Resume() override { told.push_back("resume"); }
};

// The window under the race's: keeps the picture presented after a chosen frame.
class PictureTap final : public platform::Window {
 public:
  PictureTap(LiveWindow& real, std::int64_t frame) : real_(real), frame_(frame) {}
  const Game* game = nullptr;
  std::optional<platform::Surface> picture;

  void SetHandlers(platform::WindowHandlers handlers) override { real_.SetHandlers(std::move(handlers)); }
  void ShowMaximized() override {}
  void SetCaption(const std::string&) override {}
  void Present(const platform::Surface& image) override {
    if (game->FramesDrawn == frame_) picture = image;
    // What a real window would send to the screen.
    const platform::Region damage = damage_.Take(image);
    for (const platform::Rect& r : damage.Rects()) sent.push_back({game->FramesDrawn, r});
    real_.Present(image);
  }
  struct Sent {
    std::int64_t frame;
    platform::Rect rect;
  };
  std::vector<Sent> sent;
  void PumpEvents() override { real_.PumpEvents(); }
  void WaitForEvent(std::int64_t tick) override { real_.WaitForEvent(tick); }
  void MessageBox(const std::string& p, const std::string& t) override { real_.MessageBox(p, t); }
  std::int64_t GetTickCount() override { return real_.GetTickCount(); }

 private:
  LiveWindow& real_;
  std::int64_t frame_;
  platform::ScreenDamage damage_;
};

class TempFolder {
 public:
  TempFolder()
      : path_((std::filesystem::temp_directory_path() / ("plinkard-race-" + std::to_string(getpid()))).string()) {
    std::filesystem::remove_all(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }
  std::string Read(const std::string& name) const { return ReadFile(path_ + "/" + name); }

 private:
  std::string path_;
};

struct Raced {
  LiveRun live;
  std::string recording;
  std::vector<std::string> said;
  std::optional<platform::Surface> picture, gamePicture;  // as presented, and as the game drew it
  std::vector<PictureTap::Sent> sent;
  int undelivered = 0;
};

// Plays the moments live through the recorder and the race's window.
Raced Race(std::vector<LiveMoment> moments, const RaceOptions& options, BestStore* best = nullptr,
           SplitTimer* splitTimer = nullptr, std::int64_t pictureFrame = -1) {
  LiveWindow real(std::move(moments));
  PictureTap tap(real, pictureFrame);
  Game game(real);
  real.Follow(game);
  tap.game = &game;
  Raced raced;
  game.FramePeriod = layout::FrameMs * 100 / options.speed;
  RecordingWindow* recorder = nullptr;
  RaceWindow race(tap,
                  {.shown = [&]() -> const Game& { return game; },
                   .paused = [&] { return game.Paused != False; },
                   .setSpeed = [&](int percent) { game.FramePeriod = layout::FrameMs * 100 / percent; },
                   .runText = [&] { return recorder->Finished(); }},
                  options, best, splitTimer, [&](const std::string& line) { raced.said.push_back(line); });
  RecordingWindow recording(race, game, nullptr, [&](const Game& g) {
    raced.live.Observer()(g);
    if (g.FramesDrawn == pictureFrame) raced.gamePicture = g.Stage1.BackImage;
  });
  recorder = &recording;
  game.window = &recording;
  try {
    game.Form_Load();
  } catch (const platform::ProgramEnded&) {
  }
  raced.recording = recording.Finished();
  raced.picture = tap.picture;
  raced.sent = tap.sent;
  raced.undelivered = real.Undelivered();
  return raced;
}

std::vector<LiveMoment> Route(const std::string& name) {
  const replay::Script route = replay::ParseScript(RouteText(name), name);
  std::vector<LiveMoment> moments;
  for (const platform::ScriptedEvent& e : route.events) {
    moments.push_back({std::max<std::int64_t>((e.time + 9) / 10, 1), 1, {e}});
  }
  return moments;
}

std::vector<LiveMoment> Tap(std::int64_t frame, int pump, std::int16_t key) {
  return {{frame, pump, {Press(key), Release(key)}}};
}

std::vector<LiveMoment> Joined(std::vector<LiveMoment> a, const std::vector<LiveMoment>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Race, TheTimerAndTheGhostDrawOverThePictureAndChangeNothingOfTheGame) {
  const std::vector<std::string> alone = ReplayRows(RouteText("complete.txt"));
  RaceOptions options{.timer = true, .ghost = RoutePath("deaths.txt"), .speed = 100};
  const Raced raced = Race(Route("complete.txt"), options, nullptr, nullptr, 1200);
  EXPECT_EQ(raced.live.rows, alone);
  EXPECT_EQ(ReplayRows(raced.recording), alone);
  EXPECT_TRUE(raced.said.empty());

  // What differs from the game's own picture is the timer's strip, on the
  // rock below the lowest floor, and the ghost's player, half seen.
  ASSERT_TRUE(raced.picture && raced.gamePicture);
  const platform::Surface& shown = *raced.picture;
  const platform::Surface& drawn = *raced.gamePicture;
  constexpr platform::Rect panel = TimerPanel::kPlace;
  int inPanel = 0, elsewhere = 0;
  platform::Rect outside{drawn.Width(), drawn.Height(), 0, 0};  // the box round what differs outside it
  for (int y = 0; y < drawn.Height(); ++y) {
    for (int x = 0; x < drawn.Width(); ++x) {
      if (shown.At(x, y) == drawn.At(x, y)) continue;
      if (x >= panel.x && x < panel.x + panel.w && y >= panel.y && y < panel.y + panel.h) {
        ++inPanel;
        continue;
      }
      ++elsewhere;
      outside = {std::min(outside.x, x), std::min(outside.y, y), std::max(outside.w, x), std::max(outside.h, y)};
    }
  }
  EXPECT_GT(inPanel, 1000);
  EXPECT_GT(elsewhere, 100);
  EXPECT_LE(outside.w - outside.x, layout::PlayerWidth);
  EXPECT_LE(outside.h - outside.y, layout::PlayerHeight);
  for (int y = 0; y < drawn.Height(); ++y) {
    if (y < panel.y) continue;
    for (int x = 0; x < drawn.Width(); ++x) {
      const bool rock = drawn.At(x, y) == platform::RGB(128, 128, 128) || drawn.At(x, y) == platform::RGB(56, 56, 56);
      if (shown.At(x, y) != drawn.At(x, y)) {
        ASSERT_TRUE(rock) << "the timer hides " << x << "," << y;
      }
    }
  }
}

// Turned off, the timer leaves the screen: the part it covered is sent again,
// and the picture is the game's own.
TEST(Race, TheTimerTurnedOffLeavesNothingBehind) {
  const Raced raced = Race(Joined(Joined(Tap(50, 1, RaceWindow::kTimerKey), Tap(100, 1, RaceWindow::kTimerKey)),
                                  {{200, 1, {CloseWindow()}}}),
                           {}, nullptr, nullptr, 150);
  ASSERT_TRUE(raced.picture && raced.gamePicture);
  EXPECT_TRUE(raced.picture->Pixels() == raced.gamePicture->Pixels());
  constexpr platform::Rect panel = TimerPanel::kPlace;
  bool resent = false;
  for (const PictureTap::Sent& s : raced.sent) {
    resent = resent || (s.frame >= 99 && s.frame <= 101 && s.rect.x <= panel.x && s.rect.y <= panel.y &&
                        s.rect.x + s.rect.w >= panel.x + 100 && s.rect.y + s.rect.h >= panel.y + panel.h);
  }
  EXPECT_TRUE(resent);
}

TEST(Race, OneFrameOnWhilePausedDrawsOneFrameAndTheRunReplaysToTheSameFrames) {
  // Paused after frame 100, two frames on, and resumed after frame 102; K
  // while playing does nothing.
  const auto moments = Joined(Joined(Joined(Tap(100, 1, vk::P), Tap(100, 12, RaceWindow::kStepKey)),
                                     Joined(Tap(101, 12, RaceWindow::kStepKey), Tap(102, 12, vk::P))),
                              Joined(Tap(150, 1, RaceWindow::kStepKey), {{200, 1, {CloseWindow()}}}));
  const Raced raced = Race(moments, {});
  EXPECT_EQ(raced.undelivered, 0);
  ASSERT_EQ(raced.live.rows.size(), 200u);
  EXPECT_EQ(ReplayRows(raced.recording), raced.live.rows);
  // The K itself never reaches the game or its recording: the P's for it do.
  EXPECT_EQ(raced.recording.find(" K\n"), std::string::npos);
  int presses = 0;
  for (std::size_t at = 0; (at = raced.recording.find(" down P\n", at)) != std::string::npos; ++at) ++presses;
  EXPECT_EQ(presses, 6);
  // Each frame on is a frame after the pause: the live clock stood still
  // between frames 100 and 103 but for the frames stepped.
  EXPECT_GT(raced.live.ticks[101] - raced.live.ticks[100], layout::FrameMs);
  EXPECT_GT(raced.live.ticks[102] - raced.live.ticks[101], layout::FrameMs);
}

TEST(Race, TheSplitTimerHearsOfEachPointOnItsFrameAndOfThePauses) {
  FakeSplitTimer timer;
  const Raced raced =
      Race(Joined(Joined(Route("complete.txt"), Tap(500, 1, vk::P)), Tap(500, 12, vk::P)), {}, nullptr, &timer);
  Splits splits;
  replay::HeadlessGame run(replay::ParseScript(RouteText("complete.txt"), "complete").events);
  replay::Replay(run, std::nullopt, [&](const Game& game) { splits.See(game); });
  ASSERT_TRUE(splits[SplitPoint::Flag1] && splits[SplitPoint::Flag2]);
  EXPECT_EQ(splits[SplitPoint::Door], 1740);
  EXPECT_EQ(timer.told,
            (std::vector<std::string>{"starttimer", "pause", "resume", "split " + RaceTime(*splits[SplitPoint::Flag1]),
                                      "split " + RaceTime(*splits[SplitPoint::Flag2]), "split 0:17.40"}));
  EXPECT_EQ(SplitsOf(replay::ParseScript(raced.recording, "run").events), splits);

  EXPECT_EQ(RaceTime(0), "0:00.00");
  EXPECT_EQ(RaceTime(6001), "1:00.01");
  EXPECT_EQ(RaceTime(360000 + 6000 * 2 + 305), "1:02:03.05");
  EXPECT_EQ(RaceDelta(-35), "\u22120.35");
  EXPECT_EQ(RaceDelta(120), "+1.20");
  EXPECT_EQ(RaceDelta(0), "0.00");
}

// LiveSplit's server hears the run start, each split with the game's time
// before it, and the pause, in the bytes it reads.
TEST(Race, LiveSplitsServerHearsTheRunOverTcp) {
  LiveSplitTestServer server;
  std::string error;
  std::unique_ptr<LiveSplit> link = LiveSplit::Connect({.host = "127.0.0.1", .port = server.Port()}, error);
  ASSERT_TRUE(link) << error;
  Race(Joined(Joined(Route("complete.txt"), Tap(500, 1, vk::P)), Tap(500, 12, vk::P)), {}, nullptr, link.get());
  link.reset();
  EXPECT_EQ(server.Received(),
            "starttimer\r\npause\r\nresume\r\nsetgametime 0:00:06.40\r\nsplit\r\nsetgametime 0:00:11.35\r\n"
            "split\r\nsetgametime 0:00:17.40\r\nsplit\r\n");
}

TEST(Race, AFinishedRunAtFullSpeedBecomesTheBestAndASlowerOrSlowedOneDoesNot) {
  TempFolder folder;
  platform::KeptFiles kept(folder.path());
  std::vector<std::string> said;
  const auto say = [&](const std::string& line) { said.push_back(line); };
  {
    BestStore best(&kept, say);
    EXPECT_FALSE(best.Run());
    // At half speed: the same frames, a speeds line that says so, and no best.
    const Raced slow = Race(Route("complete.txt"), {.timer = false, .ghost = {}, .speed = 50}, &best);
    EXPECT_EQ(slow.live.rows, ReplayRows(RouteText("complete.txt")));
    EXPECT_NE(slow.recording.find("\n# speeds 50%\n"), std::string::npos);
    EXPECT_TRUE(slow.said.empty());
    EXPECT_FALSE(best.Run());

    const Raced full = Race(Route("complete.txt"), {}, &best);
    EXPECT_NE(full.recording.find("\n# speeds 100%\n"), std::string::npos);
    EXPECT_EQ(full.said, std::vector<std::string>{"New best: 0:17.40"});
    ASSERT_TRUE(best.Run());
    // Kept as it stood once the door had opened: it ends there, and proves itself.
    const replay::Recording kept = replay::ReadRecording(folder.Read(BestStore::kRunName), "best");
    EXPECT_EQ(replay::Verify(kept).words, "verified: door at frame 1740 (17.40 s), 0 deaths");
    EXPECT_EQ(kept.result->frames, 1740);
    EXPECT_EQ(best.BestSplits()[SplitPoint::Door], 1740);
    // As fast again is no better.
    EXPECT_TRUE(Race(Route("complete.txt"), {}, &best).said.empty());
  }
  // Read again, it verifies, and its ghost is there to race.
  BestStore again(&kept, say);
  ASSERT_TRUE(again.Run());
  EXPECT_EQ(again.Run()->splits[SplitPoint::Door], 1740);
  const Raced ghosted = Race(Route("walk.txt"), {.timer = true, .ghost = "best", .speed = 100}, &again);
  EXPECT_TRUE(ghosted.said.empty());
  EXPECT_TRUE(said.empty());
}

TEST(Race, AKeptBestOrAnImportThatDoesNotVerifyIsNeverTrusted) {
  TempFolder folder;
  platform::KeptFiles kept(folder.path());
  std::vector<std::string> said;
  const auto say = [&](const std::string& line) { said.push_back(line); };
  const std::string run = Race(Route("complete.txt"), {}).recording;
  std::string edited = run;
  edited.replace(edited.find(" down Right"), 11, " down Left ");

  BestStore best(&kept, say);
  const BestStore::Imported refused = best.Import(edited, "edited.txt");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.words.find("differs"), std::string::npos) << refused.words;
  EXPECT_FALSE(std::filesystem::exists(folder.path()));
  EXPECT_EQ(best.Import("10 down Sideways\n", "junk.txt").status, 1);
  EXPECT_EQ(best.Import(run.substr(0, run.find("# frames")), "cut.txt").status, 1);
  EXPECT_EQ(best.Import(Race(Route("walk.txt"), {}).recording, "walk.txt").status, 0);  // verifies, but no door
  EXPECT_FALSE(best.Run());

  const BestStore::Imported imported = best.Import(run, "run.txt");
  EXPECT_EQ(imported.status, 0);
  EXPECT_NE(imported.words.find("kept as the best"), std::string::npos) << imported.words;
  EXPECT_EQ(folder.Read(BestStore::kRunName), run);
  const BestStore::Imported again = best.Import(run, "run.txt");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.words, "run.txt: not kept: 0:17.40 does not beat the best, 0:17.40");
  EXPECT_TRUE(said.empty());

  // Edited where it is kept, it is set aside with one line, and the next best is kept afresh.
  std::string error;
  ASSERT_TRUE(kept.Write(BestStore::kRunName, edited, error));
  BestStore reread(&kept, say);
  EXPECT_FALSE(reread.Run());
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("is not trusted (differs from frame"), std::string::npos) << said[0];
  EXPECT_EQ(folder.Read(BestStore::kSetAsideName), edited);
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/" + BestStore::kRunName));

  // A write that fails leaves what was kept.
  platform::KeptFiles blocked(folder.path() + "/" + BestStore::kSetAsideName + "/inside");
  EXPECT_FALSE(blocked.Write("best.txt", run, error));
  EXPECT_NE(error, "");
  EXPECT_EQ(folder.Read(BestStore::kSetAsideName), edited);
}

TEST(Race, AGhostThatIsNoRunOrIsCutShortIsOneLineAndNoGhost) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path());
  const std::string run = Race(Route("complete.txt"), {}).recording;
  const std::string cut = folder.path() + "/cut.txt", junk = folder.path() + "/junk.txt";
  std::ofstream(cut) << run.substr(0, run.find("# frames"));
  std::ofstream(junk) << "not a run\n";
  for (const std::string& ghost : {cut, junk, folder.path() + "/none.txt", std::string("best")}) {
    const Raced raced = Race(Route("walk.txt"), {.timer = false, .ghost = ghost, .speed = 100});
    ASSERT_EQ(raced.said.size(), 1u) << ghost;
    EXPECT_NE(raced.said[0].find("no ghost"), std::string::npos) << raced.said[0];
    EXPECT_EQ(raced.live.rows, ReplayRows(RouteText("walk.txt")));
  }
}

}  // namespace
