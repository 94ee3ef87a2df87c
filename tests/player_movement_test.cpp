#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "headless_game.h"
#include "platform/keys.h"

namespace {

// The player standing on the top band's floor between the high step and the
// hanging block: level floor at Y 111, no wall and no ceiling in reach.
class Movement : public ::testing::Test {
 protected:
  void SetUp() override {
    p.X = kOpenFloor;
    p.Y = 111;
  }
  // One step with the player held in place, so only its velocities change.
  void StepInPlace() {
    p.Movement();
    p.X = kOpenFloor;
  }

  static constexpr float kOpenFloor = 450;
  StartedGame game;
  playercls& p = game.player();
  module1::KeyStates& KeyState = game.game.KeyState;
};

TEST_F(Movement, StandingStillChangesNothing) {
  for (int i = 0; i < 50; ++i) p.Movement();
  EXPECT_EQ(p.X, kOpenFloor);
  EXPECT_EQ(p.Y, 111.0f);
  EXPECT_EQ(p.XVel, 0.0f);
  EXPECT_EQ(p.YVel, 0.0f);
  EXPECT_EQ(p.Jumps, 0);
}

TEST_F(Movement, BothArrowsHeldOnlyTheLimitsAndDeadZoneAct) {
  KeyState[vk::Left] = KeyState[vk::Right] = True;
  p.XVel = 0.3f;
  StepInPlace();
  EXPECT_EQ(p.XVel, 0.3f);  // no friction, no nudge towards zero
  p.XVel = 0.005f;
  StepInPlace();
  EXPECT_EQ(p.XVel, 0.0f);
}

TEST_F(Movement, LettingGoOfCtrlInTheAirSlowsThePlayerOnLanding) {
  p.XVelMax = p.Runspeed;
  p.XVel = 6.67f;
  KeyState[vk::Right] = True;
  StepInPlace();
  EXPECT_EQ(p.XVel, 5.33599997f);
  EXPECT_EQ(p.XVelMax, 2.93f);
  StepInPlace();
  EXPECT_EQ(p.XVel, 2.93f);
}

TEST_F(Movement, TheStageBoundsStopThePlayer) {
  p.X = 5;
  p.XVel = -1.5f;
  p.Movement();
  EXPECT_EQ(p.X, 4.0f);
  EXPECT_EQ(p.XVel, 0.0f);

  p.X = 4;
  KeyState[vk::Left] = True;
  p.Movement();  // 4 - 0.13: bounded again
  EXPECT_EQ(p.X, 4.0f);
  KeyState[vk::Left] = False;

  p.X = 999;
  p.XVel = 2.93f;
  p.Movement();
  EXPECT_EQ(p.X, 1000.0f);
  EXPECT_EQ(p.XVel, 0.0f);
}

// Walking into each kind of face: a step too high, a block hanging too low,
// a wall hanging from above, in every band and both ways. The player stops on
// the face: at it moving right, a tenth of a pixel clear of it moving left.
TEST_F(Movement, WallsStopAWalkingPlayerAtTheirFaces) {
  // Walks from (x, y) with the arrow held for that many steps; answers where it ends.
  const auto walk = [&](float x, float y, int direction, float speed, int steps) {
    KeyState.fill(False);
    KeyState[direction > 0 ? vk::Right : vk::Left] = True;
    p.X = x;
    p.Y = y;
    p.XVel = speed * float(direction);
    for (int i = 0; i < steps; ++i) p.Movement();
    return p.X;
  };
  const struct {
    float x, y;  // where the walk starts, standing on the floor
    int direction;
    float stop;
    const char* face;
  } walls[] = {
      {115, 111, +1, 122.67f, "the low step"},
      {430, 111, -1, 424.100006f, "the high step"},
      {590, 111, +1, 594.67f, "the block hanging from the top border"},
      {700, 111, -1, 696.099976f, "the same block from the other side"},
      {600, 231, +1, 616, "the lip over the block in the middle band, standing on the block"},
      {655, 295, -1, 647.099976f, "the lip over that block"},
      {690, 511, +1, 702, "the wall hanging beside the second flag"},
      {565, 415, -1, 557.099976f, "the short stub over the upper shelf"},
  };
  for (const auto& w : walls) {
    EXPECT_EQ(walk(w.x, w.y, w.direction, 2.93f, 8), w.stop) << w.face;
    EXPECT_EQ(p.XVel, 0.0f) << w.face;
    EXPECT_EQ(p.Y, w.y) << w.face;
  }

  // Crouched, the player fits under the hanging block and the stub, and
  // through the hole under the lip.
  p.Crouch();
  EXPECT_GT(walk(590, 111, +1, 0, 20), 605.0f);
  EXPECT_LT(walk(565, 415, -1, 0, 30), 550.0f);
  EXPECT_GT(walk(600, 231, +1, 0, 30), 620.0f);
}

TEST_F(Movement, ARisingPlayerBumpsItsHeadAndLosesHalfItsSpeed) {
  p.Y = 10;
  p.YVel = 8;
  p.XVel = 2;
  p.Movement();
  EXPECT_EQ(p.Y, 4.0f);  // the top border
  EXPECT_EQ(p.XVel, 1.0f);
  EXPECT_EQ(p.YVel, -0.2f);  // and gravity acts in the same step
}

TEST_F(Movement, FallingFastLandsExactlyOnTheFloor) {
  p.Y = 100;
  p.YVel = -20;
  p.Jumps = 2;
  p.Movement();
  EXPECT_EQ(p.Y, 111.0f);
  EXPECT_EQ(p.YVel, 0.0f);
  EXPECT_EQ(p.Jumps, 0);
}

TEST_F(Movement, MeetingAHigherFloorWhileRisingKeepsRising) {
  // Rising past the high step's top (floor level 47) at its left face.
  p.X = 320;
  p.Y = 50;
  p.YVel = 2;
  p.Movement();
  EXPECT_EQ(p.Y, 47.0f);
  EXPECT_EQ(p.YVel, 2.0f);
  p.Movement();
  EXPECT_EQ(p.Y, 45.0f);
}

}  // namespace
