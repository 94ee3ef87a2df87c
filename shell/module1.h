// module1: the state every part of the game shares, and the module's free
// procedures. Everything here is zero, False or empty when the program starts.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "geometry/geometry.h"
#include "player/playercls.h"
#include "core/boolean.h"

namespace module1 {

inline constexpr int kKeyStateUpper = 100;  // KeyState has entries 0 to 100

extern Boolean Running;  // the main loop goes on while True
extern Boolean Paused;
extern std::array<Boolean, kKeyStateUpper + 1> KeyState;  // True while the key with that code is held
extern std::int32_t FrameCount;     // frames drawn since the frame rate was last reported
extern std::int64_t NextFrameTick;  // tick at which the next frame may start
extern double LastRateTick;         // tick of the last frame-rate report
extern std::unique_ptr<playercls> Player;

// Puts every variable above back to its value at program start.
void ResetState();

void GameLoop();
void TogglePause();
// The measuring overlay's per-frame step.
void MoveMeasure();

// The caption's text for a frame rate, rounded to the nearest whole number with
// halves to the even neighbour.
std::string RateCaption(double rate);

}  // namespace module1
