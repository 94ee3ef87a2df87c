#include <gtest/gtest.h>

#include <random>

#include "headless_game.h"
#include "platform/keys.h"

namespace {

class Actions : public ::testing::Test {
 protected:
  StartedGame game;
  playercls& p = game.player();
  module1::KeyStates& KeyState = game.game.KeyState;
};

TEST_F(Actions, TurningChoosesTheFrameForThePosture) {
  p.TurnLeft();
  EXPECT_EQ(p.Picstate, 0);
  p.Crouch();
  EXPECT_EQ(p.Picstate, 3);
  p.TurnRight();
  EXPECT_EQ(p.Picstate, 5);
  p.Crouch();  // already crouched: nothing
  EXPECT_EQ(p.Picstate, 5);
  p.Jump();  // stands up: plenty of room at the start
  EXPECT_EQ(p.Picstate, 2);
  EXPECT_EQ(p.Crouched, False);
  EXPECT_EQ(p.YVel, 0.0f);  // standing up is not a jump
}

TEST_F(Actions, CrouchingOnTheFloorClampsToTheCrawlSpeed) {
  p.XVel = -2.93f;
  p.Crouch();
  EXPECT_EQ(p.XVel, -1.33f);
  EXPECT_EQ(p.XVelMax, 2.93f);

  p.Jump();
  p.Y = 50;  // in the air
  p.XVel = -2.93f;
  p.Crouch();
  EXPECT_EQ(p.XVel, -2.93f);
}

TEST_F(Actions, RunningWithCtrl) {
  p.Crouch();
  p.Run(True);
  EXPECT_EQ(p.XVelMax, 2.93f);  // not while crouched
  KeyState[vk::Ctrl] = True;
  p.Jump();
  EXPECT_EQ(p.XVelMax, 6.67f);  // standing up with Ctrl held runs
  p.Crouch();
  KeyState[vk::Ctrl] = False;
  p.Jump();
  EXPECT_EQ(p.XVelMax, 2.93f);

  p.Run(True);
  p.XVel = 6.67f;
  p.Y = 50;
  p.Run(False);  // in the air: nothing yet
  EXPECT_EQ(p.XVelMax, 6.67f);
  EXPECT_EQ(p.XVel, 6.67f);
  p.Y = 111;
  p.Run(False);
  EXPECT_EQ(p.XVelMax, 2.93f);
  EXPECT_EQ(p.XVel, 2.93f);
  p.XVelMax = 6.67f;
  p.XVel = -6.67f;
  p.Run(False);
  EXPECT_EQ(p.XVel, -2.93f);
  p.Run(1);  // any value but False turns running on
  EXPECT_EQ(p.XVelMax, 6.67f);
}

TEST_F(Actions, StandingUpNeedsSixteenPixelsOfRoom) {
  // Under the hanging block the crouched ceiling level is 108.
  p.X = 600;
  p.Crouch();
  p.Y = 123.9f;
  p.Jump();
  EXPECT_EQ(p.Crouched, True);
  p.Y = 124;
  p.Jump();
  EXPECT_EQ(p.Crouched, False);
}

TEST_F(Actions, JumpAndTheSecondJump) {
  p.Jump();
  EXPECT_EQ(p.YVel, 4.33f);
  EXPECT_EQ(p.Jumps, 1);

  const struct {
    float before;
    float after;
  } second[] = {
      {-0.07f, 4.26000023f},  // the top of the arc
      {2.13f, 4.33f},         // still rising: capped
      {-2.0f, 2.32999992f},   // falling
      {-5.0f, 0.0f},          // falling fast: the fall just stops
      {-4.33f, -4.33f},       // exactly -4.33: nothing
  };
  for (const auto& c : second) {
    p.Jumps = 1;
    p.YVel = c.before;
    p.Jump();
    EXPECT_EQ(p.YVel, c.after) << c.before;
    EXPECT_EQ(p.Jumps, 2);
  }
  // The boost adds the double 4.33, not the float: with the float the top of
  // the arc would give 4.25999975.
  p.Jumps = 1;
  p.YVel = -0.07f;
  p.Jump();
  EXPECT_EQ(p.YVel, 4.26000023f);

  p.Jump();  // a third: only counts
  EXPECT_EQ(p.YVel, 4.26000023f);
  EXPECT_EQ(p.Jumps, 3);
}

TEST_F(Actions, TwoJumpsBeforeAStepUseUpTheSecondJump) {
  p.Jump();
  p.Jump();
  EXPECT_EQ(p.YVel, 4.33f);
  EXPECT_EQ(p.Jumps, 2);
}

TEST_F(Actions, WalkingOffALedgeStillLeavesBothJumps) {
  p.Y = 200;  // falling, Jumps still 0
  p.YVel = -3;
  p.Jump();
  EXPECT_EQ(p.YVel, 4.33f);
  p.YVel = -1;
  p.Jump();
  EXPECT_EQ(p.YVel, 3.32999992f);
}

TEST_F(Actions, TheJumpCountStopsAtItsLargestValue) {
  p.Y = 50;
  for (int i = 0; i < 40000; ++i) p.Jump();
  EXPECT_EQ(p.Jumps, 32767);
  EXPECT_EQ(p.YVel, 4.33f);  // never wraps round to a fresh jump
}

// Whatever happens, the frame matches the posture.
TEST_F(Actions, TheFrameAlwaysMatchesThePosture) {
  std::mt19937 random(20261209);
  for (int i = 0; i < 20000; ++i) {
    switch (random() % 9) {
      case 0: p.TurnLeft(); break;
      case 1: p.TurnRight(); break;
      case 2: p.Crouch(); break;
      case 3: p.Jump(); break;
      case 4: p.Run(random() % 2 ? True : False); break;
      case 5: p.Die(); break;
      case 6: {
        const vk::Code keys[] = {vk::Ctrl, vk::Left, vk::Right};
        KeyState[keys[random() % 3]] = random() % 2 ? True : False;
        break;
      }
      default: p.Movement(); break;
    }
    ASSERT_TRUE(p.Picstate == 0 || p.Picstate == 2 || p.Picstate == 3 || p.Picstate == 5) << i;
    ASSERT_EQ(p.Picstate >= 3, p.Crouched == True) << i;
    ASSERT_TRUE(p.XVelMax == p.Walkspeed || p.XVelMax == p.Runspeed) << i;
  }
}

}  // namespace
