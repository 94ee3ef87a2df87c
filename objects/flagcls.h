// A continue flag: the pennant beside one of the two poles painted into the
// level. Raised once, it stays raised, and the player comes back to it.
#pragma once

#include <cstdint>

#include "core/boolean.h"
#include "platform/surface.h"

class flagcls {
 public:
  float X = 0;
  float Y = 0;  // at the foot of its pole; at the top once raised
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  Boolean Raised = False;
  platform::HDC CurrentForm = 0;

  void Draw();
  void Raise();
};
