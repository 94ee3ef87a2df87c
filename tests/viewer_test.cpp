// Watching a run: frame for frame the replay's pictures, at the run's pace
// or faster or slower, paused and stepped, sent anywhere by a digit or Home,
// and ending with the run's close.
#include "app/viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/layout.h"
#include "live_runs.h"

namespace {

// The desktop window as a test sees it: a clock that moves only as the
// viewer waits, the viewer's keys at given ticks, and what it showed.
class ShowingWindow final : public platform::Window {
 public:
  struct Press {
    std::int64_t tick;
    std::int16_t key;  // 0: the window closed
  };
  explicit ShowingWindow(std::vector<Press> presses) : presses_(std::move(presses)) {}

  void SetHandlers(platform::WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  void ShowMaximized() override {}
  void SetCaption(const std::string& caption) override {
    caption_ = caption;
    captions.push_back({tick_, caption});
  }
  void Present(const platform::Surface& picture) override {
    ++presents;
    last = picture.Pixels();
  }
  void PumpEvents() override {
    while (next_ < presses_.size() && presses_[next_].tick <= tick_) {
      const Press p = presses_[next_++];
      if (p.key == 0) {
        handlers_.QueryUnload();
      } else {
        handlers_.KeyDown(p.key, 0);
        handlers_.KeyUp(p.key, 0);
      }
      if (onPress) onPress(p);
    }
  }
  void WaitForEvent(std::int64_t tick) override {
    const std::int64_t press = next_ < presses_.size() ? presses_[next_].tick : platform::kNever;
    const std::int64_t until = std::min(tick, press);
    ASSERT_NE(until, platform::kNever) << "the viewer waits for nothing";
    tick_ = std::max(tick_, until);
  }
  void MessageBox(const std::string&, const std::string&) override { FAIL() << "no message in a viewer"; }
  std::int64_t GetTickCount() override { return tick_; }

  const std::string& Caption() const { return caption_; }
  std::int64_t Tick() const { return tick_; }

  std::vector<std::pair<std::int64_t, std::string>> captions;
  int presents = 0;
  std::vector<platform::Pixel> last;
  std::function<void(const Press&)> onPress;

 private:
  std::vector<Press> presses_;
  std::size_t next_ = 0;
  platform::WindowHandlers handlers_;
  std::int64_t tick_ = 100000;
  std::string caption_;
};

std::vector<platform::Pixel> ReplayedPicture(const std::string& route, std::int64_t frames) {
  replay::HeadlessGame run(replay::ParseScript(RouteText(route), route).events);
  replay::Replay(run, frames, nullptr);
  return run.game.Stage1.BackImage.Pixels();
}

// The picture without the pause banner's rectangle.
std::vector<platform::Pixel> BannerLeftOut(std::vector<platform::Pixel> picture) {
  constexpr platform::Rect b = layout::Banner;
  for (int y = b.y; y < b.y + b.h; ++y) {
    std::fill_n(picture.begin() + std::ptrdiff_t(y) * layout::StageWidth + b.x, b.w, 0);
  }
  return picture;
}

struct Watched {
  replay::SeekableRun run;
  ShowingWindow window;
  Watched(const std::string& route, std::vector<ShowingWindow::Press> presses)
      : run(replay::ParseScript(RouteText(route), route).events, nullptr), window(std::move(presses)) {}
  std::vector<std::string> door;  // the finish lines told
  void Run() {
    Viewer(window, run, [this](const std::string& line) { door.push_back(line); }).Run();
  }
};

TEST(Viewer, PlaysTheRunAtItsPaceAndEndsWithIt) {
  Watched w("complete.txt", {});
  w.Run();
  EXPECT_EQ(w.window.last, ReplayedPicture("complete.txt", 1750));
  EXPECT_EQ(w.door, std::vector<std::string>{"Door opened at frame 1740: 17.40 s, 0 deaths"});
  EXPECT_NEAR(double(w.window.Tick() - 100000), 17490, 20) << "17.5 s, as the run took";
  const auto& captions = w.window.captions;
  ASSERT_GE(captions.size(), 10u);
  EXPECT_EQ(captions[5].second, "Plinkard running at 100FPS.");
}

TEST(Viewer, PausedADigitJumpsAndLeftStepsBack) {
  // Paused at once; 5 shows frame 875 of 1750; Left then shows 874.
  std::vector<platform::Pixel> at875, at874;
  Watched w("complete.txt", {{100001, vk::P}, {100002, vk::Digit(5)}, {100003, vk::Left}, {100004, 0}});
  w.window.onPress = [&](const ShowingWindow::Press& p) {
    if (p.key == vk::Digit(5)) at875 = w.window.last;
    if (p.key == vk::Left) at874 = w.window.last;
  };
  w.Run();
  EXPECT_TRUE(BannerLeftOut(at875) == BannerLeftOut(ReplayedPicture("complete.txt", 875)));
  EXPECT_TRUE(at875 != ReplayedPicture("complete.txt", 875)) << "the banner shows while paused";
  EXPECT_TRUE(BannerLeftOut(at874) == BannerLeftOut(ReplayedPicture("complete.txt", 874)));
  EXPECT_EQ(w.window.Caption(), "PAUSED");
  EXPECT_TRUE(w.door.empty()) << "the door was never shown open";
}

TEST(Viewer, HomeGoesBackToTheFirstFrameAndPlayingOnKeepsTheReplaysFrames) {
  Watched w("deaths.txt", {{103000, vk::Home}, {103500, vk::Digit(9)}});
  std::vector<platform::Pixel> home;
  w.window.onPress = [&](const ShowingWindow::Press& p) {
    if (p.key == vk::Home) home = w.window.last;
  };
  w.Run();
  EXPECT_TRUE(home == ReplayedPicture("deaths.txt", 1));
  EXPECT_TRUE(w.window.last == ReplayedPicture("deaths.txt", 1800));
}

TEST(Viewer, HalfSpeedShowsFiftyFramesASecondAndEightTimesEightHundred) {
  Watched slow("complete.txt", {{100001, vk::Down}, {110000, 0}});
  slow.Run();
  EXPECT_EQ(slow.window.Caption(), "Plinkard running at 50FPS.");
  Watched fast("complete.txt", {{100001, vk::Up}, {100002, vk::Up}, {100003, vk::Up}, {100004, vk::Up}});
  fast.Run();
  EXPECT_NEAR(double(fast.window.Tick() - 100000), 17490 / 8.0, 10) << "8 times at most";
  EXPECT_EQ(fast.window.captions[1].second, "Plinkard running at 800FPS.");
}

TEST(Viewer, TheRunsOwnPauseShowsTheBannerForAsLongAsItLasted) {
  // pause.txt pauses before frame 20 from 190 to 2000 of its clock.
  Watched w("pause.txt", {});
  std::int64_t paused = 0;
  w.Run();
  for (const auto& [tick, caption] : w.window.captions) {
    if (caption == "PAUSED" && paused == 0) paused = tick - 100000;
  }
  EXPECT_NEAR(double(paused), 200, 15);
  EXPECT_TRUE(w.window.last == ReplayedPicture("pause.txt", 10000));
}

TEST(Viewer, ARunWithoutACloseWaitsPausedAtItsEnd) {
  replay::SeekableRun run(replay::ParseScript("10 down Right\n995 up Right\n", "killed").events, nullptr);
  ShowingWindow window({{105000, 0}});
  Viewer(window, run).Run();
  EXPECT_EQ(window.Caption(), "PAUSED");
  EXPECT_EQ(window.Tick(), 105000) << "it waited for the window to close";
}

}  // namespace
