// Plinkard on a web page: the same game, in the page's canvas. It runs until
// the page is closed; there is nothing to save.
#include "platform/web/window.h"
#include "shell/stage1.h"

int main() {
  platform::WebWindow window;
  platform::UseWindow(&window);
  CreateStage1();
}
