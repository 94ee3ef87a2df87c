// module1: the state every part of the game shares, and the module's free
// procedures. Everything here is zero, False or empty when the program starts.
// KeyState, the level's queries and the wall tables belong to the module too;
// they live with the layers below that use them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/boolean.h"
#include "core/key_state.h"
#include "geometry/geometry.h"
#include "player/playercls.h"

namespace module1 {

extern Boolean Running;  // the main loop goes on while True
extern Boolean Paused;
extern std::int32_t FrameCount;     // frames drawn since the frame rate was last reported
extern std::int64_t NextFrameTick;  // tick at which the next frame may start
extern double LastRateTick;         // tick of the last frame-rate report
extern std::unique_ptr<playercls> Player;

// Puts every variable above back to its value at program start.
void ResetState();

void GameLoop();
// A frame's drawing: the level, the door, the flags and the player, in that order.
void DrawFrame();
void TogglePause();
// The measuring overlay's per-frame step.
void MoveMeasure();

// The caption's text for a frame rate, rounded to the nearest whole number with
// halves to the even neighbour.
std::string RateCaption(double rate);

}  // namespace module1
