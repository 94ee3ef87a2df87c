// Canvases for a window on Wayland: the window's own buffers in shared
// memory, taken only when the compositor is ready for a new picture.
#include <SDL_syswm.h>

#include <vector>

#include "platform/sdl_presenter.h"
#include "platform/wayland_buffers.h"
#include "platform/wayland_frames.h"

namespace platform {
namespace {

class WaylandCanvases final : public Canvases {
 public:
  WaylandCanvases(SDL_Window* window, wl_display* display, wl_surface* surface)
      : window_(window), buffers_(display, surface), frames_(surface) {}

  int Count() const override { return WaylandBuffers::kCount; }

  std::optional<Canvas> Take() override {
    if (!frames_.Ready(WaylandFrames::Clock::now())) return std::nullopt;
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    const std::optional<WaylandBuffers::Free> free = buffers_.Take(w, h);
    if (!free) return std::nullopt;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(free->rows.pixels, w, h, 32,
                                                              int(free->rows.pitch * sizeof(Pixel)),
                                                              SDL_PIXELFORMAT_XRGB8888);
    if (surface == nullptr) return std::nullopt;
    return Canvas{surface, free->number, free->fresh};
  }

  bool Send(const Canvas& canvas, std::span<const SDL_Rect> changed, bool whole) override {
    damage_.clear();
    if (whole) {
      damage_.push_back(Rect{0, 0, canvas.surface->w, canvas.surface->h});
    } else {
      for (const SDL_Rect& r : changed) damage_.push_back(Rect{r.x, r.y, r.w, r.h});
    }
    SDL_FreeSurface(canvas.surface);
    frames_.Presenting(WaylandFrames::Clock::now());
    buffers_.Show(canvas.number, damage_);
    return true;
  }

 private:
  SDL_Window* window_;
  WaylandBuffers buffers_;
  WaylandFrames frames_;
  std::vector<Rect> damage_;
};

}  // namespace

std::unique_ptr<Canvases> MakeWaylandCanvases(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_WAYLAND) return nullptr;
  return std::make_unique<WaylandCanvases>(window, info.info.wl.display, info.info.wl.surface);
}

}  // namespace platform
