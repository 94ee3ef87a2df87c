#include "app/play.h"

#include <cstdio>
#include <exception>

int PlayInWindow(const platform::ViewOptions& view, const std::function<void(platform::DesktopWindow&)>& prepare,
                 const WindowWrapper& wrap, const std::function<void(const Game&)>& ended) {
  try {
    platform::DesktopWindow window(Stage1Window::kFirstCaption, Stage1Window::kRestoredWidth,
                                   Stage1Window::kRestoredHeight, view);
    if (prepare) prepare(window);
    Game game(window);
    const std::unique_ptr<platform::Window> wrapper = wrap ? wrap(window, game) : nullptr;
    if (wrapper) game.window = wrapper.get();
    try {
      game.Form_Load();
    } catch (const platform::ProgramEnded&) {
      // the window was closed
    }
    if (ended) ended(game);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plinkard: %s\n", error.what());
    return 1;
  }
}
