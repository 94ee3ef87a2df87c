#include "platform/window.h"
#include "shell/module1.h"
#include "shell/stage1.h"

namespace {

template <class Object>
std::unique_ptr<Object> Place(float x, float y, std::int16_t width, std::int16_t height) {
  auto object = std::make_unique<Object>();
  object->X = x;
  object->Y = y;
  object->Width = width;
  object->Height = height;
  object->CurrentForm = Stage1.hDC;
  return object;
}

}  // namespace

// Start-up: the window shown, the player and the stage objects in their places,
// the wall tables filled, and then the main loop, which runs until the program ends.
void Form_Load() {
  using namespace module1;

  platform::CurrentWindow().ShowMaximized();
  Running = True;

  Player = std::make_unique<playercls>();
  Player->Initialise(20, 47, 1.33f, 2.93f, 6.67f, 0.13f, 2, Stage1.hDC, True);
  Player->X = 8;
  Player->Y = 111;

  // Each flag hangs at the foot of its pole; the door stands in the bottom-right room.
  Stage1.Flag1 = Place<flagcls>(355, 328, 19, 13);
  Stage1.Flag2 = Place<flagcls>(686, 544, 19, 13);
  Stage1.Door1 = Place<doorcls>(960, 639, 28, 55);

  FillWallTables();
  GameLoop();
}
