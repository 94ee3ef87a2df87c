#include <array>

#include "core/stage_handles.h"
#include "geometry/bands.h"
#include "geometry/geometry.h"

namespace geometry {
namespace {

// Edge 0 of every band is the left border; the last, 1000, the right end of the
// player's range.
constexpr std::array<float, 9> kTopEdges{
    0,        // left border
    122.67f,  // the low step's left face
    232,      // its right face
    314.67f,  // the high step's left face
    424,      // its right face
    594.67f,  // the hanging block's left face
    696,      // its right face
    960,      // the end of the band's floor: the shaft
    1000,
};

// Not in x order: edge 2 (111) is the pillar's right face, a floor edge, and
// edge 3 (98) the left face of the rock above, which the player meets with its
// right side, 20 pixels further left.
constexpr std::array<float, 10> kMiddleEdges{
    0,    // left border
    38,   // the open drop ends, the pillar begins
    111,  // the pillar's right face
    98,   // the rock hanging under the top band's floor
    560,  // the block standing on the floor
    616,  // the lip over the block
    647,  // the lip's right face
    925,  // the wall hanging at the band's right end
    959,  // its right face: the foot of the shaft
    1000,
};

constexpr std::array<float, 25> kBottomEdges{
    0,    // left border
    94,   // the first post on the ground
    156,  // its right face
    198,  // the wall hanging from the floor slab
    240,  // its right face
    310,  // the foot of that wall steps down
    318,  // the foot's right end
    343,  // the block at the left of the spike trough
    359,  // the widening of the wall under the trough
    381,  // the wall under the trough
    423,  // its right face: the trough
    479,  // the lower shelf's leg
    510,  // its right face
    518,  // the short stub and the upper shelf's post
    557,  // their right face
    645,  // the upper shelf's right end
    702,  // the wall hanging at x 718
    735,  // the back of its notch
    750,  // its right face
    855,  // the right pillar
    870,  // the back of its notch
    927,  // its right face
    955,  // the gap above the door
    974,  // its right side
    1000,
};

}  // namespace

float Edge(Band band, std::int16_t n) {
  std::span<const float> edges;
  switch (band) {
    case Band::Top: edges = kTopEdges; break;
    case Band::Middle: edges = kMiddleEdges; break;
    case Band::Bottom: edges = kBottomEdges; break;
  }
  if (n < 0 || std::size_t(n) >= edges.size()) return 0;
  return edges[std::size_t(n)];
}

float LevelAt(Band band, std::span<const Row> rows, float x, float y, float otherwise) {
  for (const Row& row : rows) {
    if (row.from != kOpen && !(x > Edge(band, row.from))) continue;
    if (row.to != kOpen && !(x <= Edge(band, row.to))) continue;
    return row.level.At(y);
  }
  return otherwise;
}

}  // namespace geometry

namespace module1 {

float EdgeX(HDC form, float y, std::int16_t n) {
  if (!stage::IsForm(form)) return 0;
  return geometry::Edge(geometry::BandOf(y), n);
}

float Midpoint(float a, float b) { return float((double(a) + double(b)) / 2); }

}  // namespace module1
