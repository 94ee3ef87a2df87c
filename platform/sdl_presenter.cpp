#include "platform/sdl_presenter.h"

#include <cstdlib>

namespace platform {

std::unique_ptr<SdlPresenter> MakePresenter(SDL_Window* window) {
  if (SDL_GetWindowSurface(window) != nullptr) return MakeSurfacePresenter(MakeWindowSurfaceCanvases(window));
  const char* renderDriver = std::getenv("SDL_RENDER_DRIVER");
  if (renderDriver == nullptr || *renderDriver == '\0') {
    if (auto wayland = MakeWaylandCanvases(window)) return MakeSurfacePresenter(std::move(wayland));
  }
  return MakeTexturePresenter(window);
}

}  // namespace platform
