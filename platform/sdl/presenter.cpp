#include "platform/sdl/presenter.h"

#include "platform/sdl/environment.h"

namespace platform {

std::unique_ptr<SdlPresenter> MakePresenter(SDL_Window* window, const std::optional<WaylandWindow>& wayland) {
  if (SDL_GetWindowSurface(window) != nullptr) return MakeSurfacePresenter(MakeWindowSurfaceCanvases(window));
  if (wayland && !IsSet("SDL_RENDER_DRIVER")) return MakeSurfacePresenter(MakeWaylandCanvases(window, *wayland));
  return MakeTexturePresenter(window, wayland ? wayland->surface : nullptr);
}

}  // namespace platform
