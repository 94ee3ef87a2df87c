#include <limits>

#include "platform/keys.h"
#include "player/playercls.h"
#include "shell/module1.h"

using namespace module1;

namespace {
constexpr float kJumpSpeed = 4.33f;
constexpr double kSecondJumpBoost = 4.33;
constexpr float kCrouchDrop = 16;  // a crouched player's head is this much lower
constexpr std::int16_t kCrouchedFrames = 3;  // crouching frame = standing frame + 3
}  // namespace

void playercls::TurnLeft() {
  if (Crouched == False) Picstate = 0;
  if (Crouched == True) Picstate = 3;
}

void playercls::TurnRight() {
  if (Crouched == False) Picstate = 2;
  if (Crouched == True) Picstate = 5;
}

void playercls::Run(Boolean TurningOn) {
  if (TurningOn != False) {
    if (Crouched == False) XVelMax = Runspeed;
    return;
  }
  // Letting go of Ctrl in the air changes nothing yet: the walk limit slows
  // the player once it lands.
  if (StandsOnFloor() && Crouched == False) {
    XVelMax = Walkspeed;
    if (XVel > XVelMax) XVel = XVelMax;
    if (XVel < -XVelMax) XVel = -XVelMax;
  }
}

// Up: a crouched player stands up where the standing figure fits; otherwise a
// jump from the floor, or the second jump in the air.
void playercls::Jump() {
  if (Crouched == True) {
    const float ceiling = CeilingLevel(CurrentForm, X, Y, Crouched);
    if (Y - ceiling >= kCrouchDrop) {
      Picstate = std::int16_t(Picstate - kCrouchedFrames);
      Crouched = False;
      if (KeyState[vk::Ctrl] == True) XVelMax = Runspeed;
      if (KeyState[vk::Ctrl] == False) XVelMax = Walkspeed;
    }
    return;
  }
  if (Jumps == 0) YVel = kJumpSpeed;
  if (Jumps == 1) {
    if (YVel > -kJumpSpeed) YVel = float(double(YVel) + kSecondJumpBoost);
    if (YVel < -kJumpSpeed) YVel = 0;  // falling fast: the second jump only stops the fall
  }
  if (YVel > kJumpSpeed) YVel = kJumpSpeed;
  // Up held through a long pause keeps calling Jump; the count stops at its
  // largest value instead of wrapping round to a fresh jump.
  if (Jumps < std::numeric_limits<std::int16_t>::max()) ++Jumps;
}

void playercls::Crouch() {
  if (Crouched == True) return;
  Picstate = std::int16_t(Picstate + kCrouchedFrames);
  Crouched = True;
  if (StandsOnFloor()) {
    if (XVel > Crawlspeed) XVel = Crawlspeed;
    if (XVel < -Crawlspeed) XVel = -Crawlspeed;
  }
}
