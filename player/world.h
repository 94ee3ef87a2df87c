// What a player reaches of the game it is in: the module's held keys and wall
// tables, the stage window's flags and door, the deaths so far, and the
// window that shows the death message. The game (shell/game.h) is one, and
// points its player at itself.
#pragma once

#include "core/key_state.h"
#include "geometry/geometry.h"
#include "objects/doorcls.h"
#include "objects/flagcls.h"
#include "platform/window.h"

struct World {
  module1::KeyStates KeyState{};
  module1::WallTable RightWallEdges{};
  module1::WallTable LeftWallEdges{};
  flagcls Flag1, Flag2;
  doorcls Door1;
  int Deaths = 0;  // "You died" messages shown
  // The window the game runs on: not part of the game's state, and a copy
  // of the game runs on the same one until given another.
  platform::Window* window = nullptr;
};
