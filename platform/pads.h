// Game pads, whichever backend reads them: a pad in the standard layout (a
// D-pad, a left stick, four face buttons named by where they sit, a right
// shoulder button and Start), the key each input stands for, and the stick's
// half-way rule. A backend reads each pad's buttons and stick into a
// PadReading and lets that pad's PadKeys turn it into keys going down and up.
//
//   D-pad, left stick pushed past half-way   Left, Right, Up, Down
//   south face button (A, cross)             Up: jump
//   west face button (X, square), right shoulder   Ctrl: run while held
//   north (Y, triangle), east (B, circle)    Space
//   Start                                    P: pause
#pragma once

#include <bitset>
#include <functional>

#include "platform/keys.h"

namespace platform {

// One look at a pad.
struct PadReading {
  bool dpadLeft = false, dpadRight = false, dpadUp = false, dpadDown = false;
  bool south = false, east = false, west = false, north = false;
  bool rightShoulder = false, start = false;
  // The left stick, from -1 (all the way left, or up) to 1 (right, or down).
  double stickX = 0, stickY = 0;
};

// The stick holds a direction once pushed half-way, and lets go of it once
// back within a third: a dead zone around the middle, and no flicker at the edge.
inline constexpr double kStickPress = 0.5, kStickRelease = 1.0 / 3;

// What one pad holds, from one reading to the next.
class PadKeys {
 public:
  // An input starting (down) or stopping to hold the key it stands for.
  using Change = std::function<void(vk::Code code, bool down)>;

  // Reports every input that started or stopped holding its key since the
  // last reading.
  void Update(const PadReading& now, const Change& change);
  // The pad is gone: every input it held lets go.
  void Release(const Change& change);

  static constexpr int kInputs = 14;

 private:
  void Become(std::bitset<kInputs> now, const Change& change);
  std::bitset<kInputs> held_;
};

}  // namespace platform
