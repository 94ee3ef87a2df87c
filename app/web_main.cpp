// Plinkard on a web page: the same game, in the page's canvas. It runs until
// the page is closed; there is nothing to save.
#include "platform/web/window.h"
#include "shell/module1.h"
#include "shell/stage1.h"

int main() {
  platform::WebWindow window;
  // A page out of sight pauses as P does, and stays paused until the player
  // resumes it: the game does not run on unseen, nor catch up on its return.
  window.WhenHidden([] {
    if (module1::Paused == False) module1::TogglePause();
  });
  platform::UseWindow(&window);
  CreateStage1();
}
