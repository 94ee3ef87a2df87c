// The exit door. Opening it sends whoever opened it through: they are hidden
// for good.
#pragma once

#include <cstdint>

#include "core/boolean.h"
#include "platform/surface.h"

class doorcls {
 public:
  float X = 0;
  float Y = 0;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  Boolean Opened = False;
  platform::HDC CurrentForm = 0;

  void Draw();
  // Any object with a writable Boolean `Visible` can open the door.
  template <class Opener>
  void Opening(Opener& opener) {
    Opened = True;
    opener.Visible = False;
  }
};
