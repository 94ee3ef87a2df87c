#include "platform/keys.h"
#include "player/playercls.h"
#include "shell/module1.h"

using namespace module1;

bool playercls::StandsOnFloor() const { return FloorLevel(CurrentForm, X, Y) == Y; }

// One physics step: the held keys accelerate, the player moves, friction and the
// speed limits act on the floor, the stage's bounds, walls and ceilings stop it,
// gravity pulls or the floor holds it, and spikes underfoot kill it.
void playercls::Movement() {
  const bool left = KeyState[vk::Left] == True;
  const bool right = KeyState[vk::Right] == True;

  if (left) XVel = float(double(XVel) - double(Acceleration));
  if (right) XVel = float(double(XVel) + double(Acceleration));
  if (XVel > XVelMax) XVel = XVelMax;
  if (XVel < -XVelMax) XVel = -XVelMax;

  X = float(double(X) + double(XVel));
  Y = float(double(Y) - double(YVel));  // YVel is positive upwards

  if (StandsOnFloor()) {
    if (!right && !left) XVel = float(double(XVel) * 0.8);
    if (!left && -0.33f <= XVel && XVel < 0) XVel = float(double(XVel) + 0.07);
    if (!right && 0 < XVel && XVel <= 0.33f) XVel = float(double(XVel) - 0.07);
    if (Crouched == True && (XVel > Crawlspeed || XVel < -Crawlspeed)) {
      XVel = float(double(XVel) * 0.8);
      XVelMax = Walkspeed;
    }
    if (KeyState[vk::Ctrl] != True && (XVel > Walkspeed || XVel < -Walkspeed)) {
      XVel = float(double(XVel) * 0.8);
      XVelMax = Walkspeed;
    }
    if (-0.01f < XVel && XVel < 0.01f) XVel = 0;
  }

  if (X < 4.0f) {
    X = 4;
    XVel = 0;
  }
  if (X > 1000.0f) {
    X = 1000;
    XVel = 0;
  }

  PushOutOfRightWalls();
  PushOutOfLeftWalls();

  // A rising player bumps its head and loses half its speed.
  const float ceiling = CeilingLevel(CurrentForm, X, Y, Crouched);
  if (ceiling > Y && YVel > 0) {
    Y = ceiling;
    YVel = 0;
    XVel = float(double(XVel) / 2);
  }

  const float floor = FloorLevel(CurrentForm, X, Y);
  if (floor > Y) {
    YVel = float(double(YVel) - 0.2);
  } else {
    Y = floor;
    if (YVel < 0) YVel = 0;
    Jumps = 0;
  }

  if (StandsOnFloor() && OnHazard(CurrentForm, X, Y) == True) Die();
}
