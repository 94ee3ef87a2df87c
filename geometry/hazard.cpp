#include "core/stage_handles.h"
#include "geometry/bands.h"
#include "geometry/geometry.h"

namespace geometry {
namespace {

// Whether x, y lie over a spike row. The rows reach over the whole height of a
// band or a room: the caller tests that the player stands on the floor there.
// Mind each bound's sense: they differ from row to row.
bool OverSpikes(float x, float y) {
  switch (BandOf(y)) {
    case Band::Top: return false;
    case Band::Middle:
      return (111.0f <= x && x < 295.0f)     // left of the first flag's raised floor
             || (385.0f < x && x <= 560.0f)  // right of it, up to the block
             || (698.0f < x && x < 920.0f);  // the band's right part
    case Band::Bottom: {
      const auto edge = [](std::int16_t n) { return Edge(Band::Bottom, n); };
      return (edge(0) < x && x <= edge(1))                               // the ground below the drop
             || (edge(2) < x && x <= edge(4))                            // right of the first post
             || (edge(5) < x && x <= edge(8) && y > 515.0f)              // right of the second post
             || (284.0f < x && x <= edge(6) && y < 515.0f)               // the hanging wall's foot
             || (423.0f < x && x <= edge(13) && y < 500.0f)              // the trough
             || (578.0f < x && x <= 633.0f && y > 500.0f && y < 575.0f)  // the lower shelf's dip
             || (433.0f < x && x <= 474.0f && y > 575.0f)                // the five groups on the ground
             || (529.0f < x && x <= 570.0f && y > 575.0f)                //   between the low posts
             || (625.0f < x && x <= 666.0f && y > 575.0f)                //
             || (721.0f < x && x <= 762.0f && y > 575.0f)                //
             || (818.0f < x && x <= 855.0f && y > 575.0f)                //   and the right pillar
             || (927.0f < x && x <= 955.0f && y < 600.0f)                // the ledge left of the gap
             || (974.0f < x && x <= 1000.0f && y < 600.0f);              // the ledge right of it
    }
  }
  return false;
}

}  // namespace
}  // namespace geometry

namespace module1 {

Boolean OnHazard(HDC form, float x, float y) {
  if (!stage::IsForm(form)) return False;
  return geometry::OverSpikes(x, y) ? True : False;
}

}  // namespace module1
