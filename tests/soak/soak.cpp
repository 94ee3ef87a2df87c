// plinkard-soak [--frames N] [--seed S]
// Plays the headless game with seeded random keys for N frames and checks,
// after every frame, that the player's numbers stay sane and memory stays flat.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/layout.h"
#include "platform/keys.h"
#include "replay/replay.h"

namespace {

using platform::ScriptedEvent;
using Kind = ScriptedEvent::Kind;

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Keys as a player mashes them: mostly the game's own, now and then anything.
std::vector<ScriptedEvent> RandomKeys(std::int64_t frames, std::uint32_t seed) {
  std::mt19937 random(seed);
  const vk::Code keys[] = {vk::Left, vk::Right, vk::Left,  vk::Right, vk::Up,    vk::Up,    vk::Down,
                           vk::Ctrl, vk::Ctrl,  vk::Space, vk::W,     vk::S,     vk::A,     vk::D,
                           vk::T,    vk::G,     vk::F,     vk::H,     vk::Enter, vk::Escape};
  std::vector<ScriptedEvent> events;
  const std::int64_t end = 10 * frames;
  for (std::int64_t t = 10; t < end; t += 1 + std::int64_t(random() % 60)) {
    if (random() % 500 == 0) {  // a short pause, with keys pressed during it
      const std::int64_t resume = t + 1 + std::int64_t(random() % 400);
      events.push_back({t, Kind::KeyDown, vk::P});
      events.push_back({(t + resume) / 2, Kind::KeyDown, keys[random() % std::size(keys)]});
      events.push_back({resume, Kind::KeyDown, vk::P});
      continue;
    }
    std::int16_t key = keys[random() % std::size(keys)];
    if (random() % 200 == 0) key = std::int16_t(int(random() % 65536) - 32768);
    if (key == vk::P) continue;  // pauses come in pairs, above
    events.push_back({t, random() % 3 == 0 ? Kind::KeyUp : Kind::KeyDown, key});
  }
  return events;
}

}  // namespace

int main(int argc, char** argv) {
  std::int64_t frames = 1000000;
  std::uint32_t seed = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--frames")
      frames = std::atoll(argv[i + 1]);
    else if (arg == "--seed")
      seed = std::uint32_t(std::strtoul(argv[i + 1], nullptr, 10));
  }
  if (frames < 1) {
    std::fprintf(stderr, "usage: plinkard-soak [--frames N] [--seed S]\n");
    return 2;
  }

  replay::HeadlessGame run(RandomKeys(frames, seed));
  long baseline = 0, peak = 0;
  std::int64_t bad = 0;
  const auto check = [&](const Game& game) {
    const std::int64_t frame = game.FramesDrawn;
    const playercls& p = game.Player;
    const float numbers[] = {p.X, p.Y, p.XVel, p.YVel, p.XVelMax};
    const char* wrong = nullptr;
    for (const float v : numbers) {
      if (!std::isfinite(v)) wrong = "a number is not finite";
    }
    if (!(p.X >= layout::LeftBound && p.X <= layout::RightBound)) wrong = "X left its bounds";
    // A crouched player's box reaches above its figure.
    if (!(p.Y >= -layout::CrouchDrop && p.Y <= layout::StageHeight)) wrong = "Y left the stage";
    const bool crouching = p.Picstate >= layout::Crouching;
    const std::int16_t facing = crouching ? std::int16_t(p.Picstate - layout::Crouching) : p.Picstate;
    if (facing != layout::FacingLeft && facing != layout::FacingRight) wrong = "Picstate is no side view";
    if (crouching != (p.Crouched == True)) wrong = "Picstate does not match Crouched";
    if (p.XVelMax != p.Walkspeed && p.XVelMax != p.Runspeed) wrong = "XVelMax is neither walking nor running";
    if (wrong != nullptr && bad++ < 10) {
      std::fprintf(stderr, "frame %lld: %s: %s", static_cast<long long>(frame), wrong, replay::TraceRow(game).c_str());
    }
    if (frame == 10000) baseline = ResidentKiB();
    if (frame % 10000 == 0) {
      peak = std::max(peak, ResidentKiB());
      if (frame % 100000 == 0) {
        std::fprintf(stderr, "\r%lld of %lld frames, %ld KiB resident", static_cast<long long>(frame),
                     static_cast<long long>(frames), ResidentKiB());
      }
    }
  };
  const replay::Outcome outcome = replay::Replay(run, frames, check);
  std::fprintf(stderr, "\n");

  const long growth = peak - baseline;
  std::printf(
      "%lld frames (seed %u), %d deaths, %s; resident memory %ld KiB after 10000 frames, at most %ld KiB after\n",
      static_cast<long long>(outcome.frames), seed, outcome.deaths, bad == 0 ? "every frame sane" : "FAILED CHECKS",
      baseline, peak);
  const bool flat = baseline == 0 || growth <= 1024;
  if (!flat) std::printf("memory grew by %ld KiB\n", growth);
  if (outcome.frames != frames)
    std::printf("the run ended after %lld frames\n", static_cast<long long>(outcome.frames));
  return bad == 0 && flat && outcome.frames == frames ? 0 : 1;
}
