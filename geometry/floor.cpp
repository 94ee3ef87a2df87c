#include <array>

#include "core/stage_handles.h"
#include "geometry/bands.h"
#include "geometry/geometry.h"

namespace geometry {
namespace {

// The player's Y when standing, by segment of X. A level below the band is a
// drop: the player falls out of the band and the next band's rows take over.
constexpr std::array<Row, 6> kTopFloor{{
    {kOpen, 1, {111}},  // the band's floor (surface y 158), at the start
    {1, 2, {71}},       // the low step
    {2, 3, {111}},      //
    {3, 4, {47}},       // the high step
    {4, 7, {111}},      // under the hanging block and on to the shaft
    {7, kOpen, {295}},  // the shaft: down to the middle band's floor
}};

constexpr std::array<Row, 5> kMiddleFloor{{
    {kOpen, 1, {600}},  // the open drop at the left edge, into the bottom band
    {1, 2, {247}},      // the pillar at the band's left end
    {2, 4, {295}},      // two spike rows and the first flag's raised floor between them
    {4, 6, {231}},      // the block under the lip: the small hole
    {6, kOpen, {295}},  // the raised floors, the third spike row, the foot of the shaft
}};

// Rooms stacked at the same X have their own floors, chosen by Y.
constexpr std::array<Row, 21> kBottomFloor{{
    {kOpen, 1, {633}},                    // spikes on the ground
    {1, 2, {583}},                        // the first post
    {2, 4, {633}},                        // spikes on the ground
    {4, 5, {503, 515, 615}},              // the hanging wall's foot; the second post below
    {5, 6, {503, 515, 633}},              // the foot's lower end; spikes on the ground below
    {6, 7, {633}},                        // spikes on the ground
    {7, 8, {440, 515, 633}},              // the block left of the trough; the ground below
    {8, 9, {440, 515, 559}},              // that block; the widening wall below
    {9, 10, {440}},                       // the wall under the trough
    {10, 11, {440, 470, 631}},            // the spike trough; the ground
    {11, 13, {440, 470, 511, 575, 631}},  // trough, lower shelf, ground
    {13, 15, {415, 470, 511, 575, 631}},  // upper shelf, lower shelf, ground
    {15, 16, {511, 575, 631}},            // the lower shelf; the ground
    {16, 17, {631}},                      // the ground under the wall at x 718
    {17, 18, {469, 575, 631}},            // the notch in that wall; the ground
    {18, 19, {631}},                      // the ground
    {19, 20, {383, 505, 551}},            // the right pillar's top; the notch in its side
    {20, 21, {383}},                      // the right pillar's top
    {21, 22, {439, 505, 647}},            // the ledge left of the gap; the door's room
    {22, 23, {647}},                      // the gap down to the door's room
    {23, 24, {439, 505, 647}},            // the ledge right of the gap; the door's room
}};

}  // namespace
}  // namespace geometry

namespace module1 {

float FloorLevel(HDC form, float x, float y) {
  using namespace geometry;
  if (!stage::IsForm(form)) return 0;
  const Band band = BandOf(y);
  switch (band) {
    case Band::Top: return LevelAt(band, kTopFloor, x, y, 0);
    case Band::Middle: return LevelAt(band, kMiddleFloor, x, y, 0);
    case Band::Bottom: return LevelAt(band, kBottomFloor, x, y, 0);
  }
  return 0;
}

}  // namespace module1
