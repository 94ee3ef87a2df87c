// The scripts in routes/, replayed: the whole level from the start to the exit
// door, and the short runs that pin down how the game feels to play. Any change
// to the player's speeds, jumps, friction, crouching, walls, spikes, flags or
// door moves one of these rows.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/layout.h"
#include "files.h"
#include "platform/surface.h"
#include "replay/replay.h"
#include "replay/script.h"
#include "shell/pictures.h"

namespace {

namespace fs = std::filesystem;
using platform::Pixel;

// One frame as the trace shows it.
struct Row {
  std::int64_t frame = 0, tick = 0;
  float x = 0, y = 0, xVel = 0, yVel = 0, xVelMax = 0;
  int jumps = 0, picstate = 0;
  bool crouched = false, visible = false, flag1 = false, flag2 = false, door = false;
  int deaths = 0;
  std::string caption;
};

// The frames of one replay of routes/NAME, run in this process: Frame(n) is
// frame n; Picture() the game area after the last. Each route is replayed
// once, however many tests look at it (Replayed::Of).
class Replayed {
 public:
  static const Replayed& Of(const std::string& name) {
    static std::map<std::string, std::unique_ptr<Replayed>> replayed;
    std::unique_ptr<Replayed>& run = replayed[name];
    if (!run) run.reset(new Replayed(name));
    return *run;
  }

  std::int64_t Frames() const { return std::int64_t(rows_.size()); }
  const Row& Frame(std::int64_t n) const { return rows_.at(std::size_t(n - 1)); }
  const Row& Last() const { return rows_.back(); }
  const std::vector<Pixel>& Picture() const { return picture_; }
  // The first frame from `from` on that satisfies `is`, or 0.
  template <class Pred>
  std::int64_t First(std::int64_t from, Pred is) const {
    for (std::int64_t n = from; n <= Frames(); ++n) {
      if (is(Frame(n))) return n;
    }
    return 0;
  }

 private:
  explicit Replayed(const std::string& name) {
    const std::string text = ReadFile(RoutePath(name));
    EXPECT_FALSE(text.empty()) << name;
    const replay::Script script = replay::ParseScript(text, name);
    EXPECT_TRUE(script.closes) << name << " ends itself";
    replay::HeadlessGame run(script.events);
    const replay::Outcome outcome = replay::Replay(run, std::nullopt, [&](const Game& game) {
      const playercls& p = game.Player;
      rows_.push_back({game.FramesDrawn, game.FrameTick(), p.X, p.Y, p.XVel, p.YVel, p.XVelMax, p.Jumps, p.Picstate,
                       p.Crouched == True, p.Visible == True, game.Flag1.Raised == True, game.Flag2.Raised == True,
                       game.Door1.Opened == True, game.Deaths, game.Stage1.Caption});
    });
    EXPECT_TRUE(outcome.canEnd) << name;
    const platform::Surface& back = run.game.Stage1.BackImage;
    for (int y = 0; y < layout::StageHeight; ++y) {
      picture_.insert(picture_.end(), back.Row(y), back.Row(y) + layout::StageWidth);
    }
  }

  std::vector<Row> rows_;
  std::vector<Pixel> picture_;
};

bool Standing(const Row& r, float y) { return r.y == y && r.yVel == 0; }

// ---------------------------------------------------------------------------
// The whole level: routes/complete.txt

TEST(CompleteRoute, FinishesTheLevelWithBothFlagsAndNoDeath) {
  const Replayed& run = Replayed::Of("complete.txt");
  ASSERT_EQ(run.Frames(), 1750);

  for (std::int64_t n = 1; n <= run.Frames(); ++n) ASSERT_EQ(run.Frame(n).deaths, 0) << "frame " << n;

  // Each on the frame that the route's Space reaches it.
  EXPECT_EQ(run.First(1, [](const Row& r) { return r.flag1; }), 640);
  EXPECT_EQ(run.First(1, [](const Row& r) { return r.flag2; }), 1135);
  EXPECT_EQ(run.First(1, [](const Row& r) { return r.door; }), 1740);
  EXPECT_EQ(run.First(1, [](const Row& r) { return !r.visible; }), 1740);
}

TEST(CompleteRoute, PassesEveryStretchWhereItsCommentsSay) {
  const Replayed& run = Replayed::Of("complete.txt");
  ASSERT_EQ(run.Frames(), 1750);
  const struct {
    std::int64_t frame;
    float x, y;
    bool crouched;
    const char* where;
  } stretches[] = {
      {170, 388.579956f, 47, false, "on the high step after the double jump"},
      {241, 587.142151f, 111, true, "crawling under the hanging block"},
      {326, 698.441467f, 111, false, "standing again past the block"},
      {462, 1000, 295, false, "at the foot of the shaft"},
      {542, 634.19043f, 231, true, "through the small hole, in mid-air, crouched"},
      {634, 345.701172f, 295, false, "stopped at the first flag"},
      {709, 79.9411469f, 247, false, "on the pillar past the first spike row"},
      {774, 138.550064f, 583, false, "on the first post after the left edge"},
      {795, 276.430115f, 615, false, "on the second post under the foot"},
      {831, 381, 559, false, "on the ledge under the trough's block"},
      {893, 252.299744f, 503, false, "on the top of the foot"},
      {946, 346.989075f, 440, false, "on the block at the trough's end"},
      {1004, 519.328674f, 415, true, "under the stub over the upper shelf"},
      {1126, 675.009277f, 511, false, "stopped at the second flag"},
      {1292, 423.100006f, 631, true, "down beside the wall under the trough"},
      {1348, 483.54953f, 631, false, "under the leg of the lower shelf"},
      {1394, 596.354309f, 631, false, "second low post"},
      {1430, 694.299072f, 631, false, "third low post"},
      {1465, 789.313843f, 631, false, "fourth low post"},
      {1505, 859.680054f, 551, false, "in the notch of the right pillar"},
      {1588, 735.099976f, 469, false, "in the notch of the wall opposite"},
      {1654, 859.680054f, 383, false, "on top of the right pillar"},
      {1733, 955.099976f, 647, false, "in front of the door"},
  };
  for (const auto& s : stretches) {
    const Row& r = run.Frame(s.frame);
    EXPECT_FLOAT_EQ(r.x, s.x) << s.where << ", frame " << s.frame;
    EXPECT_TRUE(Standing(r, s.y)) << s.where << ", frame " << s.frame << ": y " << r.y << ", yVel " << r.yVel;
    EXPECT_EQ(r.crouched, s.crouched) << s.where << ", frame " << s.frame;
  }
}

// What the last frame of a finished level looks like, drawn from the game's
// own pictures: the level, the door's open cell over its place (its mask is
// solid) and both pennants at the top of their poles. No player anywhere.
std::vector<Pixel> FinishedLevel() {
  const platform::Surface& level = *SharedPicture(embedded::background);
  const platform::Surface& door = *SharedPicture(embedded::doorpic);
  const platform::Surface& flag = *SharedPicture(embedded::flagpic);
  const int width = layout::StageWidth;
  std::vector<Pixel> image(level.Pixels().begin(), level.Pixels().begin() + width * layout::StageHeight);
  for (int y = 0; y < 55; ++y) {
    for (int x = 0; x < 28; ++x) image[std::size_t((639 + y) * width + 960 + x)] = door.At(84 + x, y);
  }
  for (const auto& [left, top] : {std::pair{355, 272}, std::pair{686, 488}}) {
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 19; ++x) {
        Pixel& p = image[std::size_t((top + y) * width + left + x)];
        p = (p & flag.At(x, y)) | flag.At(x, 13 + y);
      }
    }
  }
  return image;
}

// Where two pictures of the game area differ, in words; empty when they agree.
std::string Differences(const std::vector<Pixel>& expected, const std::vector<Pixel>& actual) {
  if (expected.size() != actual.size()) return "sizes differ";
  std::ostringstream out;
  int count = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] == actual[i]) continue;
    if (++count <= 5) {
      out << " (" << i % layout::StageWidth << ", " << i / layout::StageWidth << "): " << std::hex << actual[i]
          << " instead of " << expected[i] << std::dec << ";";
    }
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels differ:" + out.str();
}

TEST(CompleteRoute, LastFrameShowsTheOpenDoorBothFlagsUpAndNoPlayer) {
  const Replayed& run = Replayed::Of("complete.txt");
  const std::vector<Pixel> expected = FinishedLevel();

  // The check has teeth: the open door is not the closed one, and the
  // pennants are not where they start.
  const platform::Surface& door = *SharedPicture(embedded::doorpic);
  int doorCellsDiffer = 0;
  for (int y = 0; y < 55; ++y) {
    for (int x = 0; x < 28; ++x) doorCellsDiffer += door.At(28 + x, y) != door.At(84 + x, y);
  }
  EXPECT_GT(doorCellsDiffer, 28 * 55 / 2);
  const platform::Surface& level = *SharedPicture(embedded::background);
  EXPECT_NE(expected[std::size_t(278 * layout::StageWidth + 357)], level.At(357, 278)) << "flag 1 raised";
  EXPECT_EQ(expected[std::size_t(334 * layout::StageWidth + 357)], level.At(357, 334)) << "flag 1 gone from below";

  // The game area after the last frame, in this process, and the last frame
  // kept for the route (which the replay tool must draw byte for byte, below).
  EXPECT_EQ(Differences(expected, run.Picture()), "");
  int width = 0, height = 0, channels = 0;
  const std::string kept = std::string(PLINKARD_SOURCE_DIR) + "/tests/expected/complete.png";
  stbi_uc* rgb = stbi_load(kept.c_str(), &width, &height, &channels, 3);
  ASSERT_NE(rgb, nullptr) << kept;
  ASSERT_EQ(width, layout::StageWidth);
  ASSERT_EQ(height, layout::StageHeight);
  std::vector<Pixel> written(std::size_t(width) * std::size_t(height));
  for (std::size_t i = 0; i < written.size(); ++i)
    written[i] = platform::RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
  stbi_image_free(rgb);
  EXPECT_EQ(Differences(expected, written), "");
}

// Every route's trace and last frame, byte for byte as kept in tests/expected:
// any change to the game's numbers, its drawing or the tool's output shows here.
TEST(Routes, GiveTheirKeptTracesAndLastFramesByteForByte) {
  const fs::path dir = fs::temp_directory_path() / ("plinkard-kept-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  int routes = 0;
  for (const auto& entry : fs::directory_iterator(std::string(PLINKARD_SOURCE_DIR) + "/routes")) {
    if (entry.path().extension() != ".txt") continue;
    ++routes;
    const std::string name = entry.path().stem().string();
    const std::string kept = std::string(PLINKARD_SOURCE_DIR) + "/tests/expected/" + name;
    const std::string trace = (dir / (name + ".csv")).string(), png = (dir / (name + ".png")).string();
    const std::string command = std::string(PLINKARD_BINARY_DIR) + "/plinkard-replay --trace " + trace + " --png " +
                                png + " " + entry.path().string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    EXPECT_TRUE(ReadFile(trace) == ReadFile(kept + ".csv")) << name << ": the trace differs from " << kept << ".csv";
    EXPECT_TRUE(ReadFile(png) == ReadFile(kept + ".png")) << name << ": the last frame differs from " << kept << ".png";
  }
  EXPECT_EQ(routes, 7);
  fs::remove_all(dir);
}

// ---------------------------------------------------------------------------
// How the game feels: the short scripts

TEST(Feel, WalkingAcceleratesToTheLimitAndFrictionStopsIt) {
  const Replayed& run = Replayed::Of("walk.txt");
  ASSERT_EQ(run.Frames(), 120);

  // Right held from frame 2: 0.13 more every frame, 2.93 on the 23rd.
  for (int step = 1; step <= 22; ++step) {
    EXPECT_FLOAT_EQ(run.Frame(1 + step).xVel, 0.13f * float(step)) << "step " << step;
  }
  EXPECT_FLOAT_EQ(run.Frame(24).xVel, 2.93f);
  EXPECT_FLOAT_EQ(run.Frame(31).xVel, 2.93f);
  EXPECT_FLOAT_EQ(run.Frame(24).x, 43.8200035f);

  // Let go after frame 31: friction, then the dead zone, 20 frames in all.
  const float slide[] = {2.344f,   1.8752f,  1.5002f,  1.2001f,  0.9601f,  0.7681f,  0.6145f,
                         0.4916f,  0.3933f,  0.2446f,  0.1257f,  0.0305f,  -0.0456f, -0.0364f,
                         -0.0292f, -0.0233f, -0.0187f, -0.0149f, -0.0119f, 0.0f};
  for (int i = 0; i < 20; ++i) EXPECT_NEAR(run.Frame(32 + i).xVel, slide[i], 5e-5) << "frame " << 32 + i;
  EXPECT_EQ(run.Frame(51).xVel, 0);
  EXPECT_NEAR(run.Frame(51).x - run.Frame(31).x, 13.3, 0.05);
  EXPECT_EQ(run.Frame(59).x, run.Frame(51).x);

  // Left: facing left at once, then held at the stage's left edge.
  EXPECT_EQ(run.Frame(59).picstate, 2);
  EXPECT_EQ(run.Frame(60).picstate, 0);
  EXPECT_FLOAT_EQ(run.Frame(60).xVel, -0.13f);
  const std::int64_t atEdge = run.First(60, [](const Row& r) { return r.x == 4; });
  ASSERT_GT(atEdge, 0);
  for (std::int64_t n = atEdge; n <= 120; ++n) {
    EXPECT_EQ(run.Frame(n).x, 4) << "frame " << n;
    EXPECT_EQ(run.Frame(n).xVel, 0) << "frame " << n;
  }
  for (std::int64_t n = 1; n <= 120; ++n) EXPECT_EQ(run.Frame(n).y, 111) << "frame " << n;
}

TEST(Feel, TheJumpArcAndTheDoubleJump) {
  const Replayed& run = Replayed::Of("jump.txt");
  ASSERT_EQ(run.Frames(), 160);

  // Up before frame 10: 22 frames up to 49.06 above the floor, 45 in the air.
  EXPECT_EQ(run.Frame(9).y, 111);
  EXPECT_FLOAT_EQ(run.Frame(10).y, 106.67f);
  for (int n = 11; n <= 31; ++n) EXPECT_LT(run.Frame(n).y, run.Frame(n - 1).y) << "rising at frame " << n;
  EXPECT_FLOAT_EQ(run.Frame(31).y, 61.94f);
  EXPECT_NEAR(run.Frame(31).yVel, -0.07, 1e-6);
  for (int n = 32; n <= 53; ++n) EXPECT_GT(run.Frame(n).y, run.Frame(n - 1).y) << "falling at frame " << n;
  EXPECT_TRUE(Standing(run.Frame(54), 111));
  EXPECT_EQ(run.Frame(53).jumps, 1);
  EXPECT_EQ(run.Frame(54).jumps, 0);
  for (int n = 10; n <= 54; ++n) EXPECT_EQ(run.Frame(n).x, 8);

  // The same jump again, and Up at its top: 4.33 added to -0.07.
  for (int n = 70; n <= 91; ++n) EXPECT_EQ(run.Frame(n).y, run.Frame(n - 60).y) << "frame " << n;
  EXPECT_FLOAT_EQ(run.Frame(92).yVel, 4.06f);
  EXPECT_EQ(run.Frame(92).jumps, 2);
  float top = 111;
  for (int n = 92; n <= 160; ++n) top = std::min(top, run.Frame(n).y);
  EXPECT_NEAR(111 - top, 96.58, 0.01);

  // A third Up only counts.
  EXPECT_EQ(run.Frame(100).jumps, 3);
  EXPECT_FLOAT_EQ(run.Frame(100).yVel, run.Frame(99).yVel - 0.2f);
  EXPECT_EQ(run.First(93, [](const Row& r) { return Standing(r, 111); }), 144);
  EXPECT_EQ(run.Frame(144).jumps, 0);
}

TEST(Feel, APauseInMidJumpChangesNothingButTheClock) {
  const Replayed& paused = Replayed::Of("pause.txt");
  const Replayed& plain = Replayed::Of("jump.txt");
  ASSERT_EQ(paused.Frames(), 132);

  // No frame while paused; the frame held at the pause finishes after it.
  EXPECT_EQ(paused.Frame(20).tick, 190);
  EXPECT_EQ(paused.Frame(21).tick, 2001);
  EXPECT_EQ(paused.Frame(32).tick, 2111);
  EXPECT_EQ(paused.Frame(33).tick, 4001);
  EXPECT_EQ(paused.Frame(20).caption, "Plinkard running at 10FPS.") << "a low rate, the pause included";

  // The arc is the one of an unpaused jump, frame by frame.
  for (int n = 1; n <= 31; ++n) {
    EXPECT_EQ(paused.Frame(n).y, plain.Frame(n).y) << "frame " << n;
    EXPECT_EQ(paused.Frame(n).yVel, plain.Frame(n).yVel) << "frame " << n;
  }
  // Up pressed during the second pause is the double jump at the top.
  EXPECT_EQ(paused.Frame(32).y, plain.Frame(92).y);
  EXPECT_EQ(paused.Frame(32).yVel, plain.Frame(92).yVel);
  EXPECT_EQ(paused.Frame(32).jumps, 2);
  EXPECT_TRUE(Standing(paused.Last(), 111));
}

TEST(Feel, CrouchingUnderTheHangingBlock) {
  const Replayed& run = Replayed::Of("crawl.txt");
  ASSERT_EQ(run.Frames(), 430);

  // Standing, the player is stopped at the block's face.
  EXPECT_EQ(run.First(200, [](const Row& r) { return r.x == 594.67f; }), 241);
  for (int n = 241; n <= 249; ++n) {
    EXPECT_FLOAT_EQ(run.Frame(n).x, 594.67f) << "frame " << n;
    EXPECT_FALSE(run.Frame(n).crouched);
  }

  // Crouched, it crawls under: top unchanged, speed between 1.06 and 1.33.
  EXPECT_TRUE(run.Frame(250).crouched);
  EXPECT_EQ(run.Frame(250).picstate, 5);
  EXPECT_FLOAT_EQ(run.Frame(250).xVel, 0.13f);
  for (int n = 260; n <= 359; ++n) {
    EXPECT_EQ(run.Frame(n).y, 111) << "frame " << n;
    EXPECT_GE(run.Frame(n).xVel, 1.06f) << "frame " << n;
    EXPECT_LE(run.Frame(n).xVel, 1.33f) << "frame " << n;
  }
  // Up under the block: no room, still crouched. Up past it: standing.
  EXPECT_LT(run.Frame(300).x, 696);
  EXPECT_TRUE(run.Frame(300).crouched);
  EXPECT_TRUE(run.Frame(359).crouched);
  EXPECT_GT(run.Frame(360).x, 696);
  EXPECT_FALSE(run.Frame(360).crouched);
  EXPECT_EQ(run.Frame(360).picstate, 2);

  // Crouching at full walking speed: down to the crawl at once.
  EXPECT_FLOAT_EQ(run.Frame(399).xVel, 2.93f);
  const float crawl[] = {1.168f, 1.298f, 1.1424f, 1.2724f, 1.12192f, 1.25192f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(run.Frame(400 + i).xVel, crawl[i], 1e-5) << "frame " << 400 + i;
  EXPECT_EQ(run.Frame(400).xVelMax, 2.93f);
}

TEST(Feel, ARunningDoubleJumpClearsTheFifteenSpikes) {
  const Replayed& run = Replayed::Of("spikes.txt");
  ASSERT_EQ(run.Frames(), 580);
  EXPECT_TRUE(Standing(run.Frame(462), 295));
  EXPECT_EQ(run.Frame(462).x, 1000);

  // Ctrl and Left from a standstill: 0.13 a frame, on the floor and in the
  // air alike, up to 6.67 on the 52nd frame.
  for (int step = 1; step <= 51; ++step) {
    EXPECT_NEAR(run.Frame(462 + step).xVel, -0.13 * step, 1e-4) << "step " << step;
  }
  EXPECT_FLOAT_EQ(run.Frame(514).xVel, -6.67f);
  EXPECT_FLOAT_EQ(run.Frame(514).xVelMax, 6.67f);

  // Never on the floor over the spikes, and alive.
  for (int n = 463; n <= 580; ++n) {
    const Row& r = run.Frame(n);
    EXPECT_EQ(r.deaths, 0) << "frame " << n;
    if (r.x > 698 && r.x < 920) {
      EXPECT_LT(r.y, 295) << "over the spikes at frame " << n;
    }
  }
  // No friction in the air: full speed into the block beyond, then down.
  EXPECT_FLOAT_EQ(run.Frame(540).xVel, -6.67f);
  EXPECT_FLOAT_EQ(run.Frame(541).x, 647.1f);
  EXPECT_EQ(run.First(541, [](const Row& r) { return Standing(r, 295); }), 556);
  EXPECT_FLOAT_EQ(run.Last().x, 647.1f);
}

TEST(Feel, EachDeathComesBackAtTheLatestCheckpoint) {
  const Replayed& run = Replayed::Of("deaths.txt");
  const Replayed& route = Replayed::Of("complete.txt");
  ASSERT_EQ(run.Frames(), 1800);

  const struct {
    std::int64_t frame;
    float x, y;
    int picstate;
    bool flag1, flag2;
  } deaths[] = {{556, 8, 111, 2, false, false}, {1238, 342, 295, 0, true, false}, {1768, 673, 511, 2, true, true}};
  int count = 0;
  for (const auto& d : deaths) {
    ++count;
    EXPECT_EQ(run.Frame(d.frame - 1).deaths, count - 1);
    const Row& r = run.Frame(d.frame);
    EXPECT_EQ(r.deaths, count) << "death " << count;
    EXPECT_EQ(r.x, d.x) << "death " << count;
    EXPECT_EQ(r.y, d.y) << "death " << count;
    EXPECT_EQ(r.picstate, d.picstate) << "death " << count;
    EXPECT_EQ(r.xVel, 0);
    EXPECT_EQ(r.yVel, 0);
    EXPECT_FALSE(r.crouched);
    EXPECT_EQ(r.flag1, d.flag1);
    EXPECT_EQ(r.flag2, d.flag2);
  }
  EXPECT_EQ(run.Last().deaths, 3);

  // Left is let go three frames after the first death, but the death let go
  // of it already: the player stands still at the start.
  for (int n = 556; n <= 561; ++n) EXPECT_EQ(run.Frame(n).x, 8) << "frame " << n;

  // After a death at the start, the level starts afresh: the second life is
  // the route itself, 560 frames later.
  for (int n = 2; n <= 640; ++n) {
    ASSERT_EQ(run.Frame(n + 560).x, route.Frame(n).x) << "route frame " << n;
    ASSERT_EQ(run.Frame(n + 560).y, route.Frame(n).y) << "route frame " << n;
  }
  // From the first flag's respawn point (3.7 pixels left of where the route
  // stopped) the third life falls into step with the route on the first post.
  for (int n = 774; n <= 1135; ++n) {
    ASSERT_EQ(run.Frame(n + 598).x, route.Frame(n).x) << "route frame " << n;
    ASSERT_EQ(run.Frame(n + 598).y, route.Frame(n).y) << "route frame " << n;
  }
  EXPECT_TRUE(run.Frame(1733).flag2);
}

}  // namespace
