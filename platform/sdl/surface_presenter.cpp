// Presenting on canvases in memory: the changed parts are copied onto the
// canvas, magnified where the picture is scaled, and only those are sent. A
// canvas drawn before keeps what it showed, so it lacks only what changed
// since: with two canvases in turn, each is brought up to date with both.
#include <vector>

#include "platform/presentation.h"
#include "platform/sdl/presenter.h"

namespace platform {
namespace {

// The client area around the picture in the placement's colour.
void FillAround(SDL_Surface& screen, const Placement& placement) {
  const Uint32 colour = SDL_MapRGB(screen.format, Uint8(placement.surround >> 16), Uint8(placement.surround >> 8),
                                   Uint8(placement.surround));
  for (const Rect& r : AroundPicture(placement, screen.w, screen.h)) {
    const SDL_Rect part{r.x, r.y, r.w, r.h};
    if (r.w > 0 && r.h > 0) SDL_FillRect(&screen, &part, colour);
  }
}

// Shrunk, or in a pixel format of its own, the picture goes through SDL's blits.
void DrawConverted(const Surface& picture, SDL_Surface& screen, const Placement& placement) {
  SDL_Surface* from =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Pixel*>(picture.Row(0)), picture.Width(), picture.Height(), 32,
                                         picture.Width() * int(sizeof(Pixel)), SDL_PIXELFORMAT_XRGB8888);
  if (from == nullptr) return;
  SDL_Rect to{placement.picture.x, placement.picture.y, placement.picture.w, placement.picture.h};
  if (placement.factor == 1) {
    SDL_BlitSurface(from, nullptr, &screen, &to);
  } else if (placement.factor > 1 || SDL_SoftStretchLinear(from, nullptr, &screen, &to) != 0) {
    SDL_BlitScaled(from, nullptr, &screen, &to);  // nearest neighbour
  }
  SDL_FreeSurface(from);
  FillAround(screen, placement);
}

class SurfacePresenter final : public SdlPresenter {
 public:
  explicit SurfacePresenter(std::unique_ptr<Canvases> canvases)
      : canvases_(std::move(canvases)), drawn_(std::size_t(canvases_->Count())) {}

  bool Present(const Surface& picture, const Region& changed, bool whole, const DesktopView& view) override {
    view_ = view;
    // Canvases that may hold a picture back are drawn from a copy of it kept
    // to show later; the others straight from the picture.
    if (canvases_->MayHoldBack()) {
      if (!copy_ || copy_->Width() != picture.Width() || copy_->Height() != picture.Height()) {
        copy_ = std::make_unique<Surface>(picture.Width(), picture.Height());
        whole = true;
      }
      if (whole) {
        BitBlt(copy_->hDC(), 0, 0, picture.Width(), picture.Height(), picture.hDC(), 0, 0, SRCCOPY);
      } else {
        for (const Rect& r : changed.Rects()) {
          BitBlt(copy_->hDC(), r.x, r.y, r.w, r.h, picture.hDC(), r.x, r.y, SRCCOPY);
        }
      }
    }
    if (whole) {
      wholeUnshown_ = true;
      for (Drawn& d : drawn_) d.placement.reset();
    } else {
      for (const Rect& r : changed.Rects()) unshown_.Add(r);
    }
    return !HoldsBack() || Draw(copy_ ? *copy_ : picture);
  }

  bool HoldsBack() const override { return wholeUnshown_ || !unshown_.Rects().empty(); }

  // Only canvases that may hold back leave anything unshown, so the copy is there.
  bool ShowHeldBack() override { return HoldsBack() && Draw(*copy_) && !HoldsBack(); }

 private:
  // What a canvas shows: the placement it was drawn with (none when it must
  // be drawn whole), and the parts of the picture that changed since.
  struct Drawn {
    std::optional<Placement> placement;
    Region missing;
  };

  bool Draw(const Surface& picture) {
    const std::optional<Canvases::Canvas> canvas = canvases_->Take();
    if (!canvas) {
      if (canvases_->MayHoldBack()) return true;  // held back until a canvas may be drawn
      // Nothing kept to show later: the canvas is drawn whole next time.
      for (Drawn& d : drawn_) d.placement.reset();
      unshown_.Clear();
      wholeUnshown_ = false;
      return false;
    }
    SDL_Surface& screen = *canvas->surface;
    const Placement placement = view_.Place(picture.Width(), picture.Height(), screen.w, screen.h);
    Drawn& drawn = drawn_[std::size_t(canvas->number)];
    const bool direct =
        placement.factor > 0 && screen.format->format == SDL_PIXELFORMAT_XRGB8888 && !SDL_MUSTLOCK(&screen);
    const bool whole = !direct || canvas->fresh || drawn.placement != placement;
    rects_.clear();
    if (!direct) {
      DrawConverted(picture, screen, placement);
    } else {
      const PixelRows rows{static_cast<Pixel*>(screen.pixels), std::size_t(screen.pitch) / sizeof(Pixel)};
      const auto copy = [&](const Rect& part) {
        rects_.push_back(
            CopyMagnified(picture, part, placement.factor, rows, placement.picture.x, placement.picture.y));
      };
      if (whole) {
        FillAround(screen, placement);
        copy(picture.Bounds());
      } else {
        for (const Rect& r : drawn.missing.Rects()) copy(r);
        for (const Rect& r : unshown_.Rects()) copy(r);
      }
    }
    const bool sent = canvases_->Send(*canvas, rects_, whole);
    for (Drawn& other : drawn_) {
      for (const Rect& r : unshown_.Rects()) other.missing.Add(r);
    }
    drawn.missing.Clear();
    drawn.placement = sent ? std::optional<Placement>(placement) : std::nullopt;
    unshown_.Clear();
    wholeUnshown_ = false;
    return sent;
  }

  std::unique_ptr<Canvases> canvases_;
  std::vector<Drawn> drawn_;
  std::unique_ptr<Surface> copy_;  // for canvases that may hold a picture back
  DesktopView view_;
  Region unshown_;             // changed since the last picture sent
  bool wholeUnshown_ = false;  // all of it must be drawn again
  std::vector<Rect> rects_;
};

// The window's own surface, which SDL sends to the X server: always there to draw on.
class WindowSurfaceCanvases final : public Canvases {
 public:
  explicit WindowSurfaceCanvases(SDL_Window* window) : window_(window) {}

  int Count() const override { return 1; }

  bool MayHoldBack() const override { return false; }

  std::optional<Canvas> Take() override {
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (screen == nullptr) return std::nullopt;
    return Canvas{screen, 0, false};
  }

  bool Send(const Canvas& /*canvas*/, std::span<const Rect> changed, bool whole) override {
    if (whole) return SDL_UpdateWindowSurface(window_) == 0;
    rects_.clear();
    for (const Rect& r : changed) rects_.push_back(SDL_Rect{r.x, r.y, r.w, r.h});
    return rects_.empty() || SDL_UpdateWindowSurfaceRects(window_, rects_.data(), int(rects_.size())) == 0;
  }

 private:
  SDL_Window* window_;
  std::vector<SDL_Rect> rects_;
};

}  // namespace

std::unique_ptr<SdlPresenter> MakeSurfacePresenter(std::unique_ptr<Canvases> canvases) {
  return std::make_unique<SurfacePresenter>(std::move(canvases));
}

std::unique_ptr<Canvases> MakeWindowSurfaceCanvases(SDL_Window* window) {
  return std::make_unique<WindowSurfaceCanvases>(window);
}

}  // namespace platform
