#include "core/layout.h"
#include "geometry/geometry.h"
#include "platform/keys.h"
#include "player/playercls.h"
#include "player/tuning.h"
#include "player/world.h"

using namespace module1;

bool playercls::StandsOnFloor() const { return FloorLevel(CurrentForm, X, Y) == Y; }

// One physics step: the held keys accelerate, the player moves, friction and the
// speed limits act on the floor, the stage's bounds, walls and ceilings stop it,
// gravity pulls or the floor holds it, and spikes underfoot kill it.
void playercls::Movement() {
  const module1::KeyStates& KeyState = world->KeyState;
  const bool left = KeyState[vk::Left] == True;
  const bool right = KeyState[vk::Right] == True;

  if (left) XVel = float(double(XVel) - double(Acceleration));
  if (right) XVel = float(double(XVel) + double(Acceleration));
  if (XVel > XVelMax) XVel = XVelMax;
  if (XVel < -XVelMax) XVel = -XVelMax;

  X = float(double(X) + double(XVel));
  Y = float(double(Y) - double(YVel));  // YVel is positive upwards

  if (StandsOnFloor()) {
    if (!right && !left) XVel = float(double(XVel) * tuning::Friction);
    if (!left && -tuning::NudgeBelow <= XVel && XVel < 0) XVel = float(double(XVel) + tuning::Nudge);
    if (!right && 0 < XVel && XVel <= tuning::NudgeBelow) XVel = float(double(XVel) - tuning::Nudge);
    if (Crouched == True && (XVel > Crawlspeed || XVel < -Crawlspeed)) {
      XVel = float(double(XVel) * tuning::Braking);
      XVelMax = Walkspeed;
    }
    if (KeyState[vk::Ctrl] != True && (XVel > Walkspeed || XVel < -Walkspeed)) {
      XVel = float(double(XVel) * tuning::Braking);
      XVelMax = Walkspeed;
    }
    if (-tuning::DeadZone < XVel && XVel < tuning::DeadZone) XVel = 0;
  }

  if (X < layout::LeftBound) {
    X = layout::LeftBound;
    XVel = 0;
  }
  if (X > layout::RightBound) {
    X = layout::RightBound;
    XVel = 0;
  }

  PushOutOfRightWalls();
  PushOutOfLeftWalls();

  // A rising player bumps its head and loses half its speed.
  const float ceiling = CeilingLevel(CurrentForm, X, Y, Crouched);
  if (ceiling > Y && YVel > 0) {
    Y = ceiling;
    YVel = 0;
    XVel = float(double(XVel) / tuning::CeilingBump);
  }

  const float floor = FloorLevel(CurrentForm, X, Y);
  if (floor > Y) {
    YVel = float(double(YVel) - tuning::Gravity);
  } else {
    Y = floor;
    if (YVel < 0) YVel = 0;
    Jumps = 0;
  }

  if (StandsOnFloor() && OnHazard(CurrentForm, X, Y) == True) Die();
}
