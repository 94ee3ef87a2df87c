// SDL's renderer, for video drivers that give a window no surface of its own
// (and on Wayland when the player names a render driver): the changed parts
// are uploaded to a streaming texture the size of the picture, which the
// renderer draws placed and magnified. On Wayland a picture is held back
// until the compositor is ready for it.
#include <stdexcept>
#include <string>

#include "platform/presentation.h"
#include "platform/sdl/presenter.h"
#include "platform/sdl/wayland_frames.h"

namespace platform {
namespace {

class TexturePresenter final : public SdlPresenter {
 public:
  TexturePresenter(SDL_Window* window, wl_surface* frames) {
    // No vertical sync: presenting must never make the game loop wait.
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    if (renderer_ == nullptr) {
      throw std::runtime_error(std::string("SDL: cannot draw in the window: ") + SDL_GetError());
    }
    if (frames != nullptr) frames_ = std::make_unique<WaylandFrames>(frames);
  }

  ~TexturePresenter() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
  TexturePresenter(const TexturePresenter&) = delete;
  TexturePresenter& operator=(const TexturePresenter&) = delete;

  bool Present(const Surface& picture, const Region& changed, bool whole, const DesktopView& view) override {
    if (!Upload(picture, changed)) return false;
    view_ = view;
    mustShow_ = mustShow_ || whole;
    if (!HoldsBack() || !MayShow()) return true;  // nothing new, or held back for now
    return Show();
  }

  bool HoldsBack() const override { return unshown_ || mustShow_; }

  bool ShowHeldBack() override { return HoldsBack() && MayShow() && Show(); }

  void RendererReset() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
  }

 private:
  // Brings the texture up to date with the picture: only the changed parts,
  // or all of it into a new texture.
  bool Upload(const Surface& picture, const Region& changed) {
    const int pitch = picture.Width() * int(sizeof(Pixel));
    if (texture_ == nullptr || width_ != picture.Width() || height_ != picture.Height()) {
      RendererReset();
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, picture.Width(),
                                   picture.Height());
      if (texture_ == nullptr) return false;
      width_ = picture.Width();
      height_ = picture.Height();
      SDL_UpdateTexture(texture_, nullptr, picture.Row(0), pitch);
      mustShow_ = true;
      return true;
    }
    for (const Rect& r : changed.Rects()) {
      const SDL_Rect part{r.x, r.y, r.w, r.h};
      SDL_UpdateTexture(texture_, &part, picture.Row(r.y) + r.x, pitch);
      unshown_ = true;
    }
    return true;
  }

  bool MayShow() const { return mustShow_ || !frames_ || frames_->Ready(WaylandFrames::Clock::now()); }

  bool Show() {
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return false;
    const Placement placement = view_.Place(width_, height_, w, h);
    const Pixel s = placement.surround;
    SDL_SetRenderDrawColor(renderer_, Uint8(s >> 16), Uint8(s >> 8), Uint8(s), SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    SDL_SetTextureScaleMode(texture_, placement.factor == 0 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    const SDL_Rect to{placement.picture.x, placement.picture.y, placement.picture.w, placement.picture.h};
    if (SDL_RenderCopy(renderer_, texture_, nullptr, &to) != 0) return false;
    if (frames_) frames_->Presenting(WaylandFrames::Clock::now());
    SDL_RenderPresent(renderer_);
    unshown_ = mustShow_ = false;
    return true;
  }

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
  DesktopView view_;
  std::unique_ptr<WaylandFrames> frames_;  // on Wayland only
  bool unshown_ = false;                   // the texture holds changes not shown yet
  bool mustShow_ = false;                  // show at the next chance, ready or not
};

}  // namespace

std::unique_ptr<SdlPresenter> MakeTexturePresenter(SDL_Window* window, wl_surface* frames) {
  return std::make_unique<TexturePresenter>(window, frames);
}

}  // namespace platform
