// How the player feels: every number of its movement, in one place. Speeds
// are pixels per movement step (one step a frame). The float values are
// single precision, like the fields they meet; the double ones take part in
// double-precision arithmetic whose result is stored back to single precision.
// Changing one changes the game: every route's trace shows it.
#pragma once

namespace tuning {

// The speed limits: crouched, walking, and running with Ctrl held.
inline constexpr float Crawl = 1.33f, Walk = 2.93f, Run = 6.67f;
// Added to the speed every step while an arrow is held.
inline constexpr float Acceleration = 0.13f;

// On the floor with no arrow held, the speed keeps this share every step...
inline constexpr double Friction = 0.8;
// ...and a slide slower than NudgeBelow is pushed 0.07 towards a stop.
inline constexpr double Nudge = 0.07;
inline constexpr float NudgeBelow = 0.33f;
// On the floor, faster than the posture allows (crouched, or past the walking
// limit without Ctrl) keeps this share every step.
inline constexpr double Braking = 0.8;
// On the floor, slower than this is standing still.
inline constexpr float DeadZone = 0.01f;

// Taken off the upward speed every step in the air.
inline constexpr double Gravity = 0.2;
// The jump from the floor...
inline constexpr float JumpSpeed = 4.33f;
// ...and what the second jump adds in mid-air (up to JumpSpeed in all).
inline constexpr double SecondJump = 4.33;
// A head that hits the ceiling divides the speed across by this.
inline constexpr double CeilingBump = 2;

// A floor more than this above the player's top, or a ceiling more than this
// below it, is a wall; anything less is stepped onto or ducked under.
inline constexpr float StepHeight = 10;
// A wall met moving left puts the player this far right of its face.
inline constexpr double WallGap = 0.1;

}  // namespace tuning
