#include "app/play.h"

#include <cstdio>
#include <exception>

#include "shell/stage1.h"

int PlayInWindow(const platform::ViewOptions& view, const std::function<void(platform::DesktopWindow&)>& prepare,
                 const WindowWrapper& wrap) {
  try {
    platform::DesktopWindow window(Stage1Window::kFirstCaption, Stage1Window::kRestoredWidth,
                                   Stage1Window::kRestoredHeight, view);
    if (prepare) prepare(window);
    const std::unique_ptr<platform::Window> wrapper = wrap ? wrap(window) : nullptr;
    platform::UseWindow(wrapper ? wrapper.get() : &window);
    try {
      CreateStage1();
    } catch (const platform::ProgramEnded&) {
      // the window was closed
    }
    platform::UseWindow(nullptr);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plinkard: %s\n", error.what());
    return 1;
  }
}
