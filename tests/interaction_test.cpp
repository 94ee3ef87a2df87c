#include <gtest/gtest.h>

#include "core/layout.h"
#include "headless_game.h"
#include "platform/keys.h"
#include "replay/replay.h"

namespace {

class Interaction : public ::testing::Test {
 protected:
  StartedGame game;
  playercls& p = game.player();
  module1::KeyStates& KeyState = game.game.KeyState;
  flagcls& flag1 = game.game.Flag1;
  flagcls& flag2 = game.game.Flag2;
  doorcls& door = game.game.Door1;

  void StandAt(float x, float y) {
    p.X = x;
    p.Y = y;
    p.XVel = 0;
  }
};

TEST_F(Interaction, SpaceRaisesAFlagOnlyStandingStillAtItsPole) {
  const struct {
    float x, y;
    bool raises;
  } cases[] = {
      {329.99f, 295, false}, {330, 295, true}, {354.99f, 295, true}, {355, 295, false}, {340, 295.5f, false},
  };
  for (const auto& c : cases) {
    constexpr layout::ObjectPlace at = layout::Flag1;
    flag1 = flagcls{at.x, at.y, at.width, at.height, False, game.game.Stage1.hDC()};
    StandAt(c.x, c.y);
    p.Action();
    EXPECT_EQ(flag1.Raised, c.raises ? True : False) << c.x << ", " << c.y;
  }

  flag1.Raised = False;
  StandAt(340, 295);
  p.XVel = 0.01f;
  p.Action();
  p.XVel = 0;
  p.Crouch();
  p.Action();
  EXPECT_EQ(flag1.Raised, False);

  // A player drawn somewhere else triggers nothing.
  p.Jump();
  p.CurrentForm = game.game.Stage1.hDC() + 1;
  p.Action();
  EXPECT_EQ(flag1.Raised, False);
}

TEST_F(Interaction, ARaisedFlagStaysRaised) {
  StandAt(673, 511);
  p.Action();
  EXPECT_EQ(flag2.Raised, True);
  EXPECT_EQ(flag2.Y, 488.0f);
  EXPECT_EQ(flag1.Raised, False);  // each flag changes only itself
  p.Action();
  flag2.Raise();
  EXPECT_EQ(flag2.Y, 488.0f);
  p.Die();
  EXPECT_EQ(flag2.Raised, True);
}

TEST_F(Interaction, DeathRespawnsAtTheLatestCheckpoint) {
  const struct {
    bool flag1, flag2;
    float x, y;
    std::int16_t picstate;
  } cases[] = {
      {false, false, 8, 111, 2},
      {true, false, 342, 295, 0},
      {false, true, 673, 511, 2},
      {true, true, 673, 511, 2},
  };
  for (const auto& c : cases) {
    flag1.Raised = c.flag1 ? True : False;
    flag2.Raised = c.flag2 ? True : False;
    p.X = 500;
    p.Y = 600;
    p.XVel = 3;
    p.YVel = -2;
    p.Crouch();
    p.Die();
    EXPECT_EQ(p.X, c.x);
    EXPECT_EQ(p.Y, c.y);
    EXPECT_EQ(p.Picstate, c.picstate);
    EXPECT_EQ(p.Crouched, False);  // always back standing
    EXPECT_EQ(p.XVel, 0.0f);
    EXPECT_EQ(p.YVel, 0.0f);
  }
  EXPECT_EQ(game.window.MessageBoxes(), 4);
  EXPECT_EQ(game.window.LastMessage(), "You died");
  EXPECT_EQ(game.window.LastMessageTitle(), "Plinkard");
}

TEST_F(Interaction, KeysHeldThroughADeathCountAsReleased) {
  game.game.Form_KeyDown(vk::Right, 0);
  game.game.Form_KeyDown(vk::W, 0);
  game.game.Form_KeyDown(vk::Ctrl, 0);
  p.Die();
  for (const Boolean held : KeyState) ASSERT_EQ(held, False);
  EXPECT_EQ(p.XVelMax, 6.67f);  // the speed limit is not a key
}

TEST_F(Interaction, LandingOnSpikesKillsInTheLandingStep) {
  // Falling onto the first spike row of the middle band.
  p.X = 200;
  p.Y = 290;
  p.YVel = -6;
  p.Movement();
  EXPECT_EQ(game.window.MessageBoxes(), 1);
  EXPECT_EQ(p.X, 8.0f);
  EXPECT_EQ(p.Y, 111.0f);

  // Passing over them in the air does not.
  p.X = 200;
  p.Y = 250;
  p.YVel = 1;
  p.Movement();
  EXPECT_EQ(game.window.MessageBoxes(), 1);
}

TEST_F(Interaction, TheDoorSendsThePlayerThroughForGood) {
  StandAt(960, 647);
  p.Action();
  EXPECT_EQ(door.Opened, True);
  EXPECT_EQ(p.Visible, False);
  EXPECT_EQ(flag1.Raised, False);  // the door leaves the flags alone

  door.Opening(p);
  EXPECT_EQ(door.Opened, True);
  EXPECT_EQ(p.Visible, False);

  p.Die();  // the hidden player can still die, and stays hidden
  EXPECT_EQ(p.Visible, False);
  EXPECT_EQ(door.Opened, True);

  const struct {
    float x;
    bool opens;
  } zone[] = {{954.99f, false}, {955, true}, {972.99f, true}, {973, false}};
  for (const auto& c : zone) {
    door.Opened = False;
    StandAt(c.x, 647);
    p.Action();
    EXPECT_EQ(door.Opened, c.opens ? True : False) << c.x;
  }
}

TEST(ThroughTheKeyboard, SpaceWhilePausedRaisesAFlagThatShowsOnResuming) {
  // The player is put at the first pole by the first frame's end, then P,
  // Space while paused, and P again.
  HeadlessGame game({Down(20, vk::P), Down(30, vk::Space), Up(31, vk::Space), Down(40, vk::P), Close(80)});
  bool raisedWhilePaused = false;
  float yAfterResume = 0;
  Game& g = game.game;
  game.window.OnPresent = [&](const platform::Surface&) {
    if (g.Paused != False) {
      raisedWhilePaused = raisedWhilePaused || g.Flag1.Raised == True;
      return;
    }
    if (g.FramesDrawn == 1) {  // stand at the pole
      g.Player.X = 340;
      g.Player.Y = 295;
    } else {
      yAfterResume = g.Flag1.Y;
    }
  };
  ASSERT_TRUE(game.Run());
  EXPECT_TRUE(raisedWhilePaused);
  EXPECT_EQ(yAfterResume, 272.0f);
}

TEST(Overlay, MeasuringKeysMoveTheImageAndTheLabelsSayWhere) {
  StartedGame started;
  Game& game = started.game;
  module1::KeyStates& KeyState = game.KeyState;
  Stage1Window& Stage1 = game.Stage1;
  ImageControl& m = Stage1.measure;
  const auto frames = [&](int n) {
    for (int i = 0; i < n; ++i) game.MoveMeasure();
  };

  KeyState[vk::W] = True;
  frames(10);
  EXPECT_EQ(m.Top, 94.0f);
  EXPECT_EQ(Stage1.Label2.Caption, "94");
  KeyState[vk::S] = True;  // with W
  frames(5);
  EXPECT_EQ(m.Top, 94.0f);
  KeyState.fill(False);

  KeyState[vk::H] = True;
  frames(1);
  EXPECT_EQ(m.Left, 552.099976f);
  EXPECT_EQ(Stage1.Label1.Caption, "552.1");
  KeyState[vk::H] = False;
  KeyState[vk::F] = True;
  frames(2);
  EXPECT_EQ(Stage1.Label1.Caption, "551.9");

  KeyState.fill(False);
  m.Left = 2;
  KeyState[vk::A] = True;
  frames(5);
  EXPECT_EQ(Stage1.Label1.Caption, "-3");
  KeyState.fill(False);
  m.Left = 12345678;
  game.MoveMeasure();
  EXPECT_EQ(Stage1.Label1.Caption, "1.234568E+07");
}

TEST(Overlay, NothingOfItReachesTheGame) {
  const auto finalRow = [](std::vector<ScriptedEvent> events) {
    events.push_back(Down(10, vk::Right));
    events.push_back(Down(300, vk::Up));
    replay::HeadlessGame run(events);
    std::string row;
    replay::Replay(run, 200, [&](const Game& game) { row = replay::TraceRow(game); });
    std::size_t cut = 0;  // everything before the measuring columns
    for (int column = 0; column < 15; ++column) cut = row.find(',', cut) + 1;
    return row.substr(0, cut);
  };
  EXPECT_EQ(finalRow({}), finalRow({Down(5, vk::W), Down(5, vk::A), Down(100, vk::T), Down(150, vk::H)}));
}

}  // namespace
