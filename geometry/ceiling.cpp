#include <array>

#include "core/layout.h"
#include "core/stage_handles.h"
#include "geometry/bands.h"
#include "geometry/geometry.h"

namespace geometry {
namespace {

// The player's Y when its head touches the ceiling, standing, by segment of X.
constexpr std::array<Row, 3> kTopCeiling{{
    {kOpen, 5, {4}},  // the top border
    {5, 6, {124}},    // the hanging block: only a crouched player fits under it
    {6, kOpen, {4}},  // the top border
}};

constexpr std::array<Row, 6> kMiddleCeiling{{
    {kOpen, 3, {179}},  // the top band's floor, over the drop and the pillar
    {3, 5, {227}},      // the rock hanging under it
    {5, 6, {243}},      // the lip: with the block below it, the small hole
    {6, 7, {179}},      // the top band's floor, over the third spike row
    {7, 8, {243}},      // the wall hanging at the band's right end
    {8, kOpen, {4}},    // the shaft, up to the top border
}};

// Mostly the underside of the middle band's floor slab (379); lower rooms have
// the undersides of the shelves and ledges above them.
constexpr std::array<Row, 20> kBottomCeiling{{
    {kOpen, 3, {379}},
    {3, 4, {587}},            // the foot of the hanging wall
    {4, 6, {379, 515, 587}},  // above and below that foot
    {6, 7, {379}},
    {7, 9, {379, 515, 531}},  // under the block left of the trough
    {9, 10, {379}},
    {10, 11, {379, 470, 523}},            // under the trough's bottom
    {11, 12, {379, 470, 523, 575, 619}},  // under the trough, the lower shelf's leg
    {12, 13, {379, 470, 523, 575, 595}},
    {13, 14, {427, 470, 523, 575, 595}},  // under the short stub, the trough, the lower shelf
    {14, 15, {379, 470, 483, 575, 595}},  // under the upper shelf, the lower shelf
    {15, 16, {379, 575, 595}},
    {16, 17, {595}},            // under the lower shelf
    {17, 18, {457, 575, 595}},  // the notch in the wall at x 718
    {18, 19, {379}},
    {19, 20, {379, 505, 547}},  // the notch in the right pillar
    {20, 21, {379}},
    {21, 22, {379, 505, 641}},  // under the lowest ledge, in the door's room
    {22, 23, {379}},
    {23, 24, {379, 505, 641}},
}};

float StandingCeiling(float x, float y) {
  switch (BandOf(y)) {
    case Band::Top: return LevelAt(Band::Top, kTopCeiling, x, y, 0);
    case Band::Middle: return LevelAt(Band::Middle, kMiddleCeiling, x, y, 0);
    case Band::Bottom:
      // The bottom band's rows start only below y 360.
      return y > 360.0f ? LevelAt(Band::Bottom, kBottomCeiling, x, y, 0) : 0;
  }
  return 0;
}

}  // namespace
}  // namespace geometry

namespace module1 {

float CeilingLevel(HDC form, float x, float y, Boolean crouched) {
  if (!stage::IsForm(form)) return 0;
  float level = geometry::StandingCeiling(x, y);
  if (crouched == True) level -= layout::CrouchDrop;  // a crouched head is lower
  return level;
}

}  // namespace module1
