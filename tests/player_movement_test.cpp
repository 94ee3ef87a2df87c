#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "headless_game.h"

namespace {

using module1::KeyState;
constexpr std::size_t kCtrl = 17, kLeft = 37, kRight = 39;

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
};

TEST_F(Movement, StandingStillChangesNothing) {
  for (int i = 0; i < 50; ++i) p.Movement();
  EXPECT_EQ(p.X, kOpenFloor);
  EXPECT_EQ(p.Y, 111.0f);
  EXPECT_EQ(p.XVel, 0.0f);
  EXPECT_EQ(p.YVel, 0.0f);
  EXPECT_EQ(p.Jumps, 0);
}

TEST_F(Movement, WalkingAndRunningReachTheirLimits) {
  KeyState[kRight] = True;
  int steps = 0;
  while (p.XVel != 2.93f && steps < 100) StepInPlace(), ++steps;
  EXPECT_EQ(steps, 23);
  StepInPlace();
  EXPECT_EQ(p.XVel, 2.93f);

  p.XVel = 0;
  KeyState[kCtrl] = True;
  p.Run(True);
  steps = 0;
  while (p.XVel != 6.67f && steps < 100) StepInPlace(), ++steps;
  EXPECT_EQ(steps, 52);
}

TEST_F(Movement, ReleasedArrowsSlideToAStopOnTheTwentiethStep) {
  p.XVel = 2.93f;
  const double slide[] = {2.344,   1.8752,  1.5002,  1.2001,  0.9601,  0.7681,  0.6145,  0.4916,  0.3933,  0.2446,
                          0.1257,  0.0305,  -0.0456, -0.0364, -0.0292, -0.0233, -0.0187, -0.0149, -0.0119, 0};
  float distance = 0;
  for (const double want : slide) {
    const float x = p.X;
    p.Movement();
    distance += p.X - x;
    EXPECT_NEAR(p.XVel, want, 0.00006);
  }
  EXPECT_EQ(p.XVel, 0.0f);
  EXPECT_NEAR(distance, 13.3, 0.1);
}

TEST_F(Movement, BothArrowsHeldOnlyTheLimitsAndDeadZoneAct) {
  KeyState[kLeft] = KeyState[kRight] = True;
  p.XVel = 0.3f;
  StepInPlace();
  EXPECT_EQ(p.XVel, 0.3f);  // no friction, no nudge towards zero
  p.XVel = 0.005f;
  StepInPlace();
  EXPECT_EQ(p.XVel, 0.0f);
}

TEST_F(Movement, AJumpRisesTwentyTwoStepsAndLandsOnTheFortyFifth) {
  p.Jump();
  float highest = 111;
  int risingSteps = 0, steps = 0;
  do {
    const float y = p.Y;
    p.Movement();
    ++steps;
    if (p.Y < y) ++risingSteps;
    highest = std::min(highest, p.Y);
  } while (p.Y != 111.0f && steps < 100);
  EXPECT_EQ(risingSteps, 22);
  EXPECT_NEAR(111 - highest, 49.06, 0.005);
  EXPECT_EQ(steps, 45);
  EXPECT_EQ(p.YVel, 0.0f);
  EXPECT_EQ(p.Jumps, 0);
}

TEST_F(Movement, LettingGoOfCtrlInTheAirSlowsThePlayerOnLanding) {
  p.XVelMax = p.Runspeed;
  p.XVel = 6.67f;
  KeyState[kRight] = True;
  StepInPlace();
  EXPECT_EQ(p.XVel, float(6.67f * 0.8));
  EXPECT_NEAR(p.XVel, 5.336, 1e-6);
  EXPECT_EQ(p.XVelMax, 2.93f);
  StepInPlace();
  EXPECT_EQ(p.XVel, 2.93f);
}

TEST_F(Movement, CrawlingKeepsTheSpeedAroundOnePointThree) {
  p.Crouch();
  p.XVel = 1.33f;
  p.XVelMax = p.Runspeed;
  KeyState[kRight] = True;
  const double crawl[] = {1.168, 1.298, 1.1424, 1.2724, 1.1219, 1.2519};
  for (const double want : crawl) {
    StepInPlace();
    EXPECT_NEAR(p.XVel, want, 0.00006);
    EXPECT_EQ(p.XVelMax, 2.93f);
  }
}

TEST_F(Movement, TheStageBoundsStopThePlayer) {
  p.X = 5;
  p.XVel = -1.5f;
  p.Movement();
  EXPECT_EQ(p.X, 4.0f);
  EXPECT_EQ(p.XVel, 0.0f);

  p.X = 4;
  KeyState[kLeft] = True;
  p.Movement();  // 4 - 0.13: bounded again
  EXPECT_EQ(p.X, 4.0f);
  KeyState[kLeft] = False;

  p.X = 999;
  p.XVel = 2.93f;
  p.Movement();
  EXPECT_EQ(p.X, 1000.0f);
  EXPECT_EQ(p.XVel, 0.0f);
}

TEST_F(Movement, WallsPushThePlayerBackOntoTheirFaces) {
  // Walking right into the block hanging from the top border.
  p.X = 590;
  p.XVel = 2.93f;
  KeyState[kRight] = True;
  for (int i = 0; i < 5; ++i) p.Movement();
  EXPECT_EQ(p.X, 594.67f);
  EXPECT_EQ(p.XVel, 0.0f);

  // Crouched, the player fits under it.
  p.Crouch();
  for (int i = 0; i < 20; ++i) p.Movement();
  EXPECT_GT(p.X, 605.0f);
  KeyState[kRight] = False;

  // Walking left into the low step, crouched or not.
  p.X = 236;
  p.Y = 111;
  p.XVel = -2.93f;
  KeyState[kLeft] = True;
  for (int i = 0; i < 5; ++i) p.Movement();
  EXPECT_EQ(p.X, float(232 + 0.1));
  EXPECT_EQ(p.XVel, 0.0f);
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
