#include "geometry/geometry.h"
#include "player/playercls.h"
#include "player/tuning.h"
#include "player/world.h"

using namespace module1;

namespace {

// A segment of the level is a wall where, at its middle, the floor is more than
// a step above the player's top (too high to walk up) or the ceiling more than
// a step below it (an opening too low for its posture).
bool IsWall(HDC form, float middle, float y, Boolean crouched) {
  const float floor = FloorLevel(form, middle, y);
  const float ceiling = CeilingLevel(form, middle, y, crouched);
  return floor + tuning::StepHeight < y || ceiling - tuning::StepHeight > y;
}

}  // namespace

// Each right-wall entry n is the segment from edge n to edge n + 1. A player
// whose X has gone past the segment's left face, but not past its middle, is
// put back on the face.
void playercls::PushOutOfRightWalls() {
  for (const std::int16_t n : world->RightWallEdges) {
    const float face = EdgeX(CurrentForm, Y, n);
    const float middle = Midpoint(face, EdgeX(CurrentForm, Y, std::int16_t(n + 1)));
    if (X > face && X < middle && IsWall(CurrentForm, middle, Y, Crouched)) {
      X = face;
      XVel = 0;
    }
  }
}

// Each left-wall entry n is the segment from edge n - 1 to edge n; a player in
// its right half is put just right of its right face.
void playercls::PushOutOfLeftWalls() {
  for (const std::int16_t n : world->LeftWallEdges) {
    const float face = EdgeX(CurrentForm, Y, n);
    const float middle = Midpoint(face, EdgeX(CurrentForm, Y, std::int16_t(n - 1)));
    if (X < face && X > middle && IsWall(CurrentForm, middle, Y, Crouched)) {
      X = float(double(face) + tuning::WallGap);
      XVel = 0;
    }
  }
}
