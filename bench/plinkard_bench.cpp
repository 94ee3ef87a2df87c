// How much the game costs: composing a frame against a plain copy of the same
// back image, one movement step where the level is busiest, replays, and a
// frame with the ghost and the timer against one without.
// Prints the figures and fails when a goal is missed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/race_window.h"
#include "core/layout.h"
#include "platform/headless_window.h"
#include "platform/keys.h"
#include "replay/replay.h"

namespace {

constexpr double kComposeGoal = 1.3;  // frame composition against memcpy, even when all of it is redrawn
constexpr double kFramePeriod = layout::FrameMs / 1000.0;  // seconds
constexpr double kStepShareGoal = 0.01;                    // a movement step against the frame period
constexpr double kReplayGoal = 8000;                       // replayed frames per second, no trace
constexpr double kRaceShareGoal = 0.05;                    // a frame with the ghost and the timer, of the period

// A game started and closed after its first frame: the player, flags and
// door stand where start-up put them, ready to be driven directly.
struct StartedGame : replay::HeadlessGame {
  StartedGame() : replay::HeadlessGame({{0, platform::ScriptedEvent::Kind::Close, 0}}) {
    replay::Replay(*this, std::nullopt, nullptr);
  }
};

void BM_MemcpyBackImage(benchmark::State& state) {
  std::vector<platform::Pixel> from(std::size_t(layout::StageWidth) * layout::StageHeight, 1);
  std::vector<platform::Pixel> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(platform::Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyBackImage)->Unit(benchmark::kMicrosecond);

// One frame's drawing. Usually the back image still holds the last frame's
// level, and only what the objects covered is copied again; `whole` makes
// every frame start from a back image drawn over elsewhere, as after a pause.
void ComposeFrames(benchmark::State& state, bool whole) {
  StartedGame started;
  Game& game = started.game;
  game.Player.X = layout::BesideFlag2.x;  // in front of a flag
  game.Player.Y = layout::BesideFlag2.y;
  for (auto _ : state) {
    if (whole) game.Stage1.BackImage.Row(0)[0] = 0;
    game.DrawFrame();
    benchmark::ClobberMemory();
  }
}
void BM_ComposeFrame(benchmark::State& state) { ComposeFrames(state, false); }
void BM_ComposeWholeFrame(benchmark::State& state) { ComposeFrames(state, true); }
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeWholeFrame)->Unit(benchmark::kMicrosecond);

// In the bottom-right room every floor and ceiling query scans to the end of
// the bottom band's rows, forty wall entries over.
void BM_MovementStep(benchmark::State& state) {
  StartedGame started;
  playercls& p = started.game.Player;
  started.game.KeyState[vk::Right] = True;
  for (auto _ : state) {
    p.X = layout::AtDoor.toX;
    p.Y = layout::AtDoor.y;
    p.XVel = 1;
    p.Movement();
    benchmark::DoNotOptimize(p.X);
  }
}
BENCHMARK(BM_MovementStep)->Unit(benchmark::kMicrosecond);

std::string RouteScript();

// A frame of a game played on, through the racing player's window: the game's
// drawing and its present, with the ghost of the level's route re-run beside
// it and the timer written over both, or with neither.
void RaceFrames(benchmark::State& state, bool racing) {
  StartedGame started;
  Game& game = started.game;
  platform::HeadlessWindow screen;
  RaceOptions options{.timer = racing, .ghost = std::nullopt, .speed = 100};
  if (racing) options.ghost = PLINKARD_SOURCE_DIR "/routes/complete.txt";
  RaceWindow race(screen,
                  {.shown = [&]() -> const Game& { return game; },
                   .paused = [] { return false; },
                   .setSpeed = [](int) {},
                   .watching = false,
                   .runText = {}},
                  options, nullptr, nullptr, [](const std::string&) {});
  for (auto _ : state) {
    game.FramesDrawn = game.FramesDrawn % 1700 + 1;
    game.Player.X = float(game.FramesDrawn % 900);
    game.DrawFrame();
    race.Present(game.Stage1.BackImage);
    benchmark::ClobberMemory();
  }
}
void BM_PlainFrame(benchmark::State& state) { RaceFrames(state, false); }
void BM_RacedFrame(benchmark::State& state) { RaceFrames(state, true); }
BENCHMARK(BM_PlainFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RacedFrame)->Unit(benchmark::kMicrosecond);

std::string RouteScript() {
  std::ifstream route(PLINKARD_SOURCE_DIR "/routes/complete.txt");
  std::stringstream text;
  text << route.rdbuf();
  if (!text.str().empty()) return text.str();
  // Without the route: walking, jumping and crouching about the top band.
  return "10 down Right\n1500 tap Up\n3000 tap Up\n3150 tap Up\n4500 tap Down\n9000 up Right\n"
         "9000 down Left\n20000 close\n";
}

void BM_Replay(benchmark::State& state) {
  const replay::Script script = replay::ParseScript(RouteScript(), "route");
  std::int64_t frames = 0;
  for (auto _ : state) {
    replay::HeadlessGame run(script.events);
    frames += replay::Replay(run, std::nullopt, nullptr).frames;
  }
  state.counters["frames_per_second"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
  state.counters["frames"] = double(frames) / double(state.iterations());
}
BENCHMARK(BM_Replay)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's mean real time (in its own unit) and counters.
class Recorder : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name();
      seconds[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      for (const auto& [key, counter] : run.counters) counters[name + ":" + key] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
  std::map<std::string, double> counters;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  benchmark::Shutdown();

  const double memcpy = recorder.seconds["BM_MemcpyBackImage"];
  const double compose = recorder.seconds["BM_ComposeFrame"];
  const double whole = recorder.seconds["BM_ComposeWholeFrame"];
  const double step = recorder.seconds["BM_MovementStep"];
  const double fps = recorder.counters["BM_Replay/min_time:2.000:frames_per_second"];
  const double plain = recorder.seconds["BM_PlainFrame"], raced = recorder.seconds["BM_RacedFrame"];
  if (memcpy <= 0 || compose <= 0 || whole <= 0 || step <= 0 || fps <= 0 || plain <= 0 || raced <= 0) {
    std::printf("\nSome benchmarks were filtered out: no goals checked.\n");
    return 0;
  }
  const double ratio = whole / memcpy;
  const double share = step / kFramePeriod;
  std::printf(
      "\nframe composition  %.1f us (%.2f x memcpy of the back image, %.1f us); redrawn whole %.1f us, %.2f x; "
      "goal %.1f x\n",
      compose * 1e6, compose / memcpy, memcpy * 1e6, whole * 1e6, ratio, kComposeGoal);
  std::printf("movement step      %.3f us, %.3f%% of the 10 ms frame, %.0f%% of a replayed frame; goal under %.0f%%\n",
              step * 1e6, share * 100, step * fps * 100, kStepShareGoal * 100);
  std::printf("replay             %.0f frames per second, trace off; goal %.0f\n", fps, kReplayGoal);
  std::printf("racing frame       %.1f us with the ghost and the timer, %.1f us without: %.1f%% of the 10 ms frame; "
              "goal under %.0f%%\n",
              raced * 1e6, plain * 1e6, raced / kFramePeriod * 100, kRaceShareGoal * 100);
  const bool met = ratio <= kComposeGoal && share <= kStepShareGoal && fps >= kReplayGoal &&
                   raced / kFramePeriod <= kRaceShareGoal;
  std::printf("%s\n", met ? "All goals met." : "GOAL MISSED.");
  return met ? 0 : 1;
}
