// Plinkard on a web page: the same game, in the page's canvas. It runs until
// the page is closed; there is nothing to save.
#include "app/web_main.h"

#include "platform/web/window.h"

namespace {
Game* running = nullptr;
}

Game* PageGame() { return running; }

int main() {
  platform::WebWindow window;
  Game game(window);
  running = &game;
  // A page out of sight pauses as P does, and stays paused until the player
  // resumes it: the game does not run on unseen, nor catch up on its return.
  window.WhenHidden([&game] {
    if (game.Paused == False) game.TogglePause();
  });
  game.Form_Load();
}
