#include "core/layout.h"
#include "player/tuning.h"
#include "shell/game.h"

namespace {

template <class Object>
void PlaceAt(Object& object, const layout::ObjectPlace& at, HDC form) {
  object = Object{};
  object.X = at.x;
  object.Y = at.y;
  object.Width = at.width;
  object.Height = at.height;
  object.CurrentForm = form;
}

}  // namespace

void Game::Form_Load() {
  StartUp();
  GameLoop();
}

// The window shown, the player and the stage objects in their places, each
// drawing on the stage window, and the wall tables filled.
void Game::StartUp() {
  Listen();
  window->ShowMaximized();
  Running = True;

  Player = playercls{};
  Player.Initialise(/*Wide=*/layout::PlayerWidth, /*High=*/layout::PlayerHeight, /*Crawl=*/tuning::Crawl,
                    /*Walk=*/tuning::Walk, /*Run=*/tuning::Run, /*Accel=*/tuning::Acceleration,
                    /*Pic=*/layout::Start.picstate, /*Currform=*/Stage1.hDC(), /*Vis=*/True);
  Player.X = layout::Start.x;
  Player.Y = layout::Start.y;
  Player.world = this;

  PlaceAt(Flag1, layout::Flag1, Stage1.hDC());
  PlaceAt(Flag2, layout::Flag2, Stage1.hDC());
  PlaceAt(Door1, layout::Door, Stage1.hDC());

  module1::FillWallTables(RightWallEdges, LeftWallEdges);
}
