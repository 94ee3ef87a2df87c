#include "app/play.h"

#include <cstdio>
#include <exception>

int InDesktopWindow(const platform::ViewOptions& view, const std::function<void(platform::DesktopWindow&)>& use) {
  try {
    platform::DesktopWindow window(Stage1Window::kFirstCaption, Stage1Window::kRestoredWidth,
                                   Stage1Window::kRestoredHeight, view);
    use(window);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plinkard: %s\n", error.what());
    return 1;
  }
}

int PlayInWindow(const platform::ViewOptions& view, const std::function<void(platform::DesktopWindow&)>& prepare,
                 const WindowWrapper& wrap, const std::function<void(const Game&)>& ended) {
  return InDesktopWindow(view, [&](platform::DesktopWindow& window) {
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
  });
}
