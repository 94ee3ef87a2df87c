#include "geometry/geometry.h"

namespace module1 {

namespace {

// Edge numbers of the faces a player moving right runs into (each names the
// segment from edge n to edge n + 1), in three runs: top, middle, bottom band.
constexpr std::int16_t kRightWalls[20] = {
    1, 3, 5,                                   // the low step, the high step, the hanging block
    1, 3, 4, 5, 7,                             // the pillar, the rock above, the block, the lip, the right wall
    1, 3, 4, 7, 8, 9, 11, 13, 16, 19, 20, 23,  // posts, walls, the trough, shelves, the pillar, the ledge
};
// The faces met moving left (each names the segment from edge n - 1 to edge n).
// The last entry is never written and stays 0, like the 0 of the middle band's run.
constexpr std::int16_t kLeftWalls[19] = {
    2, 4, 6, 2, 6, 8, 0, 2, 4, 5, 6, 10, 12, 14, 15, 17, 18, 21, 22,
};

}  // namespace

void FillWallTables(WallTable& RightWallEdges, WallTable& LeftWallEdges) {
  RightWallEdges.fill(0);
  for (std::size_t i = 0; i < std::size(kRightWalls); ++i) RightWallEdges[i] = kRightWalls[i];
  LeftWallEdges.fill(0);
  for (std::size_t i = 0; i < std::size(kLeftWalls); ++i) LeftWallEdges[i] = kLeftWalls[i];
}

}  // namespace module1
