// The level, as the game knows it: pure queries in player coordinates (the
// position of the player's top-left corner; the player's box is 20 × 47).
// Every query answers 0 or False unless `form` is a stage window's device
// context.
#pragma once

#include <array>
#include <cstdint>

#include "core/boolean.h"
#include "platform/surface.h"

namespace module1 {

using platform::HDC;

// The x of edge n in the band of y: 0 for an edge number the band lacks.
float EdgeX(HDC form, float y, std::int16_t n);
// The player's Y when standing on the floor below (x, y).
float FloorLevel(HDC form, float x, float y);
// The smallest Y the player's top may have at (x, y); 16 less when crouched is True.
float CeilingLevel(HDC form, float x, float y, Boolean crouched);
// True over a spike row (the caller checks that the player stands).
Boolean OnHazard(HDC form, float x, float y);

// (a + b) / 2, in double precision, rounded to single precision.
float Midpoint(float a, float b);

// Edge numbers of wall faces: RightWallEdges holds those met moving right,
// LeftWallEdges those met moving left. Each game has its own pair, empty until
// start-up fills them.
using WallTable = std::array<std::int16_t, 20>;
// Fills both tables, right first, each in index order.
void FillWallTables(WallTable& RightWallEdges, WallTable& LeftWallEdges);

}  // namespace module1
