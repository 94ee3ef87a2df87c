#include "core/layout.h"
#include "objects/stage_objects.h"
#include "platform/window.h"
#include "player/tuning.h"
#include "shell/module1.h"
#include "shell/stage1.h"

namespace {

template <class Object>
std::unique_ptr<Object> CreatedAt(const layout::ObjectPlace& at) {
  auto object = std::make_unique<Object>();
  object->X = at.x;
  object->Y = at.y;
  object->Width = at.width;
  object->Height = at.height;
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
  Player->Initialise(/*Wide=*/layout::PlayerWidth, /*High=*/layout::PlayerHeight, /*Crawl=*/tuning::Crawl,
                     /*Walk=*/tuning::Walk, /*Run=*/tuning::Run, /*Accel=*/tuning::Acceleration,
                     /*Pic=*/layout::Start.picstate, /*Currform=*/Stage1.hDC, /*Vis=*/True);
  Player->X = layout::Start.x;
  Player->Y = layout::Start.y;

  Stage1.Flag1 = CreatedAt<flagcls>(layout::Flag1);
  Stage1.Flag2 = CreatedAt<flagcls>(layout::Flag2);
  Stage1.Door1 = CreatedAt<doorcls>(layout::Door);
  // The player's actions reach them through these.
  stage::Flag1 = Stage1.Flag1.get();
  stage::Flag2 = Stage1.Flag2.get();
  stage::Door1 = Stage1.Door1.get();

  FillWallTables();
  GameLoop();
}
