#include <cmath>

#include "core/layout.h"
#include "core/stage_handles.h"
#include "player/playercls.h"
#include "player/world.h"

namespace {

// Whether a player at (x, y) stands in the zone: the integer part of x within
// its ends, and y exactly its floor.
bool Holds(const layout::Zone& zone, float x, float y) {
  const float whole = std::floor(x);
  return zone.fromX <= whole && whole <= zone.toX && y == zone.y;
}

}  // namespace

// Space: standing still at a pole raises its flag; in front of the door it
// opens the door, and the player goes through.
void playercls::Action() {
  if (!stage::IsForm(CurrentForm)) return;
  if (Crouched == True || XVel != 0) return;
  if (Holds(layout::AtPole1, X, Y)) world->Flag1.Raise();
  if (Holds(layout::AtPole2, X, Y)) world->Flag2.Raise();
  if (Holds(layout::AtDoor, X, Y)) world->Door1.Opening(*this);
}

// A life ends: the message, every key let go, and back to the start or to the
// latest flag raised (the second flag wins).
void playercls::Die() {
  XVel = 0;
  YVel = 0;
  Crouched = False;
  ++world->Deaths;
  world->window->MessageBox("You died", "Plinkard");
  world->KeyState.fill(False);

  layout::Spot at = layout::Start;
  if (world->Flag1.Raised == True) at = layout::BesideFlag1;
  if (world->Flag2.Raised == True) at = layout::BesideFlag2;
  X = at.x;
  Y = at.y;
  Picstate = at.picstate;
}
