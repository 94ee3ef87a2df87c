#include "platform/pads.h"

#include <array>

namespace platform {
namespace {

// The key of each input, in the order Update reads them.
constexpr std::array<vk::Code, PadKeys::kInputs> kKeyOf{
    vk::Left, vk::Right, vk::Up,   vk::Down,                     // the D-pad
    vk::Left, vk::Right, vk::Up,   vk::Down,                     // the stick
    vk::Up,   vk::Ctrl,  vk::Ctrl, vk::Space, vk::Space, vk::P,  // south, west, shoulder, north, east, Start
};

bool Pushed(double towards, bool held) { return towards >= (held ? kStickRelease : kStickPress); }

}  // namespace

void PadKeys::Update(const PadReading& r, const Change& change) {
  const bool buttons[] = {r.dpadLeft, r.dpadRight, r.dpadUp, r.dpadDown};
  const double stick[] = {-r.stickX, r.stickX, -r.stickY, r.stickY};
  const bool rest[] = {r.south, r.west, r.rightShoulder, r.north, r.east, r.start};
  std::bitset<kInputs> now;
  std::size_t i = 0;
  for (const bool b : buttons) now[i++] = b;
  for (const double towards : stick) {
    now[i] = Pushed(towards, held_[i]);
    ++i;
  }
  for (const bool b : rest) now[i++] = b;
  Become(now, change);
}

void PadKeys::Release(const Change& change) { Become({}, change); }

void PadKeys::Become(std::bitset<kInputs> now, const Change& change) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    if (now[i] == held_[i]) continue;
    held_[i] = now[i];
    change(kKeyOf[i], now[i]);
  }
}

}  // namespace platform
