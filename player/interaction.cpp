#include <cmath>

#include "platform/window.h"
#include "player/playercls.h"
#include "shell/module1.h"
#include "shell/stage1.h"

namespace {

// Where Space does something: the integer part of X (both ends included) and
// the exact Y of a player standing on the floor there.
struct Zone {
  float fromX, toX, y;
  bool Holds(float x, float y) const {
    const float whole = std::floor(x);
    return fromX <= whole && whole <= toX && y == this->y;
  }
};
constexpr Zone kFirstPole{330, 354, 295};
constexpr Zone kSecondPole{661, 685, 511};
constexpr Zone kDoor{955, 972, 647};

struct Respawn {
  float x, y;
  std::int16_t picstate;
};
constexpr Respawn kStart{8, 111, 2};
constexpr Respawn kAtFirstFlag{342, 295, 0};
constexpr Respawn kAtSecondFlag{673, 511, 2};

}  // namespace

// Space: standing still at a pole raises its flag; in front of the door it
// opens the door, and the player goes through.
void playercls::Action() {
  if (CurrentForm != Stage1.hDC) return;
  if (Crouched == True || XVel != 0) return;
  if (kFirstPole.Holds(X, Y)) Stage1.Flag1->Raise();
  if (kSecondPole.Holds(X, Y)) Stage1.Flag2->Raise();
  if (kDoor.Holds(X, Y)) Stage1.Door1->Opening(*this);
}

// A life ends: the message, every key let go, and back to the start or to the
// latest flag raised (the second flag wins).
void playercls::Die() {
  XVel = 0;
  YVel = 0;
  Crouched = False;
  platform::CurrentWindow().MessageBox("You died", "Plinkard");
  module1::KeyState.fill(False);

  Respawn at = kStart;
  if (Stage1.Flag1->Raised == True) at = kAtFirstFlag;
  if (Stage1.Flag2->Raised == True) at = kAtSecondFlag;
  X = at.x;
  Y = at.y;
  Picstate = at.picstate;
}
