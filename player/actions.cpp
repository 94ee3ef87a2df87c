#include <limits>

#include "core/layout.h"
#include "geometry/geometry.h"
#include "platform/keys.h"
#include "player/playercls.h"
#include "player/tuning.h"
#include "player/world.h"

using namespace module1;

void playercls::TurnLeft() {
  if (Crouched == False) Picstate = layout::FacingLeft;
  if (Crouched == True) Picstate = layout::FacingLeft + layout::Crouching;
}

void playercls::TurnRight() {
  if (Crouched == False) Picstate = layout::FacingRight;
  if (Crouched == True) Picstate = layout::FacingRight + layout::Crouching;
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
    if (Y - ceiling >= layout::CrouchDrop) {
      Picstate = std::int16_t(Picstate - layout::Crouching);
      Crouched = False;
      if (world->KeyState[vk::Ctrl] == True) XVelMax = Runspeed;
      if (world->KeyState[vk::Ctrl] == False) XVelMax = Walkspeed;
    }
    return;
  }
  if (Jumps == 0) YVel = tuning::JumpSpeed;
  if (Jumps == 1) {
    if (YVel > -tuning::JumpSpeed) YVel = float(double(YVel) + tuning::SecondJump);
    if (YVel < -tuning::JumpSpeed) YVel = 0;  // falling fast: the second jump only stops the fall
  }
  if (YVel > tuning::JumpSpeed) YVel = tuning::JumpSpeed;
  // Up held through a long pause keeps calling Jump; the count stops at its
  // largest value instead of wrapping round to a fresh jump.
  if (Jumps < std::numeric_limits<std::int16_t>::max()) ++Jumps;
}

void playercls::Crouch() {
  if (Crouched == True) return;
  Picstate = std::int16_t(Picstate + layout::Crouching);
  Crouched = True;
  if (StandsOnFloor()) {
    if (XVel > Crawlspeed) XVel = Crawlspeed;
    if (XVel < -Crawlspeed) XVel = -Crawlspeed;
  }
}
