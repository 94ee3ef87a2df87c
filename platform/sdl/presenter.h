// How an SDL window shows the game picture. Where the video driver gives the
// window a shared-memory surface (X11), the changed parts are copied into it,
// magnified where the picture is scaled, and only those are sent. On Wayland,
// where SDL gives none, the window makes its own shared-memory buffers for the
// compositor and does the same. Elsewhere, or when the player names a render
// driver (SDL_RENDER_DRIVER), the changed parts go to a streaming texture that
// SDL's renderer draws.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <span>

#include "platform/desktop_view.h"
#include "platform/surface.h"

struct wl_display;
struct wl_surface;

namespace platform {

// A window on Wayland: the connection to the compositor and the window's surface.
struct WaylandWindow {
  wl_display* display;
  wl_surface* surface;
};

class SdlPresenter {
 public:
  virtual ~SdlPresenter() = default;

  // Shows the parts of the picture that changed, placed as the view places
  // it. `whole`: everything must be drawn again (the window was shown,
  // resized or uncovered). Answers false when nothing could be shown.
  virtual bool Present(const Surface& picture, const Region& changed, bool whole, const DesktopView& view) = 0;
  // A presenter may hold changes back until the compositor is ready for a new
  // picture: whether it holds some, and showing them once it may (answering
  // whether it did).
  virtual bool HoldsBack() const = 0;
  virtual bool ShowHeldBack() = 0;
  // The renderer lost its textures: the next present uploads the whole picture.
  virtual void RendererReset() {}
};

// What a surface presenter draws on: one or more pictures of the whole client
// area in memory, of which the screen shows the one sent last.
class Canvases {
 public:
  virtual ~Canvases() = default;
  virtual int Count() const = 0;
  // Whether Take() may give none while the compositor is not ready: the
  // presenter then keeps a copy of the picture to show later.
  virtual bool MayHoldBack() const = 0;
  struct Canvas {
    SDL_Surface* surface;  // valid until sent
    int number;            // which of them
    bool fresh;            // holds nothing drawn yet
  };
  // The canvas for the next picture, or none while no new picture may be shown.
  virtual std::optional<Canvas> Take() = 0;
  // Shows the canvas just drawn, telling which parts changed (all when `whole`).
  virtual bool Send(const Canvas& canvas, std::span<const Rect> changed, bool whole) = 0;
};

// Picks the presenter for the window's video driver (`wayland`: the window is
// on Wayland). Throws std::runtime_error when the window can be drawn in no way.
std::unique_ptr<SdlPresenter> MakePresenter(SDL_Window* window, const std::optional<WaylandWindow>& wayland);

std::unique_ptr<SdlPresenter> MakeSurfacePresenter(std::unique_ptr<Canvases> canvases);
// `frames`: the surface whose compositor paces the pictures (on Wayland), or null.
std::unique_ptr<SdlPresenter> MakeTexturePresenter(SDL_Window* window, wl_surface* frames);
std::unique_ptr<Canvases> MakeWindowSurfaceCanvases(SDL_Window* window);
std::unique_ptr<Canvases> MakeWaylandCanvases(SDL_Window* window, const WaylandWindow& wayland);

}  // namespace platform
