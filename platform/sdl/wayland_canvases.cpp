// Canvases for a window on Wayland: the window's own buffers in shared
// memory, taken only when the compositor is ready for a new picture.
#include <array>

#include "platform/sdl/presenter.h"
#include "platform/sdl/wayland_buffers.h"
#include "platform/sdl/wayland_frames.h"

namespace platform {
namespace {

class WaylandCanvases final : public Canvases {
 public:
  WaylandCanvases(SDL_Window* window, const WaylandWindow& wayland)
      : window_(window), buffers_(wayland.display, wayland.surface), frames_(wayland.surface) {}

  ~WaylandCanvases() override {
    for (SDL_Surface* surface : surfaces_) SDL_FreeSurface(surface);
  }

  int Count() const override { return WaylandBuffers::kCount; }

  bool MayHoldBack() const override { return true; }

  std::optional<Canvas> Take() override {
    if (!frames_.Ready(WaylandFrames::Clock::now())) return std::nullopt;
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    const std::optional<WaylandBuffers::Taken> taken = buffers_.Take(w, h);
    if (!taken) return std::nullopt;
    // A buffer keeps its surface until it is made again (for a new size).
    SDL_Surface*& surface = surfaces_[std::size_t(taken->number)];
    const bool fresh = taken->fresh || surface == nullptr;
    if (fresh) {
      SDL_FreeSurface(surface);
      surface = SDL_CreateRGBSurfaceWithFormatFrom(taken->rows.pixels, w, h, 32, int(taken->rows.pitch * sizeof(Pixel)),
                                                   SDL_PIXELFORMAT_XRGB8888);
      if (surface == nullptr) return std::nullopt;
    }
    return Canvas{surface, taken->number, fresh};
  }

  bool Send(const Canvas& canvas, std::span<const Rect> changed, bool whole) override {
    const Rect all{0, 0, canvas.surface->w, canvas.surface->h};
    frames_.Presenting(WaylandFrames::Clock::now());
    buffers_.Show(canvas.number, whole ? std::span<const Rect>(&all, 1) : changed);
    return true;
  }

 private:
  SDL_Window* window_;
  WaylandBuffers buffers_;
  WaylandFrames frames_;
  std::array<SDL_Surface*, WaylandBuffers::kCount> surfaces_{};  // over each buffer's pixels
};

}  // namespace

std::unique_ptr<Canvases> MakeWaylandCanvases(SDL_Window* window, const WaylandWindow& wayland) {
  return std::make_unique<WaylandCanvases>(window, wayland);
}

}  // namespace platform
