// How the player feels: every number of its movement, in one place. Speeds
// are pixels per movement step (one step a frame). The float values are
// single precision, like the fields they meet; the double ones take part in
// double-precision arithmetic whose result is stored back to single precision.
// Changing one changes the game: every route's trace shows it.
#pragma once

namespace tuning {

// Speeds.
inline constexpr float Crawl = 1.33f, Walk = 2.93f, Run = 6.67f;  // the limits: crouched, walking, with Ctrl
inline constexpr float Acceleration = 0.13f;                      // added every step an arrow is held

// On the floor.
inline constexpr double Friction = 0.8;  // the share of its speed kept every step no arrow is held
inline constexpr double Nudge = 0.07;    // what a slide slower than NudgeBelow loses towards a stop
inline constexpr float NudgeBelow = 0.33f;
inline constexpr double Braking = 0.8;    // kept every step faster than crouched or, without Ctrl, walking allow
inline constexpr float DeadZone = 0.01f;  // slower than this is standing still

// In the air.
inline constexpr double Gravity = 0.2;      // taken off the upward speed every step
inline constexpr float JumpSpeed = 4.33f;   // the jump from the floor
inline constexpr double SecondJump = 4.33;  // added by the second, in mid-air, up to JumpSpeed in all
inline constexpr double CeilingBump = 2;    // a head hitting the ceiling divides the speed across by this

// Walls: a floor more than StepHeight above the player's top, or a ceiling
// more than StepHeight below it, is a wall; less is stepped onto or ducked
// under. A wall met moving left puts the player WallGap right of its face.
inline constexpr float StepHeight = 10;
inline constexpr double WallGap = 0.1;

}  // namespace tuning
