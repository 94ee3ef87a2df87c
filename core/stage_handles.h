// The stage window's drawing surfaces, as the layers below the game reach
// them: the window's own device context, the only one the level's queries and
// the player's actions answer for, and the hidden pictures that the stage
// objects and the player draw from. The window hands them down when it is
// created.
#pragma once

#include "platform/surface.h"

namespace stage {

inline platform::HDC Form = 0;
inline platform::HDC maskmap = 0, spritemap = 0, flagpic = 0, doorpic = 0;

}  // namespace stage
