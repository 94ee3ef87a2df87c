// How the desktop window shows the game, on every desktop backend: in a
// window or fullscreen, at the player's --scale, and so where the picture goes
// in the client area and the colour around it.
#pragma once

#include <optional>

#include "platform/presentation.h"

namespace platform {

class DesktopView {
 public:
  explicit DesktopView(const ViewOptions& options = {}) : scale_(options.scale), fullscreen_(options.fullscreen) {}

  bool Fullscreen() const { return fullscreen_; }
  // Whether the window has been on the screen as a window. Started
  // fullscreen, it has not until it first leaves fullscreen, and then its
  // restored size is the small one it was made with: it comes back maximized.
  bool ShownWindowed() const { return shownWindowed_; }
  // The window is on the screen, fullscreen or not: as asked at start-up, or
  // as switched to since.
  void Shown(bool fullscreen) {
    fullscreen_ = fullscreen;
    shownWindowed_ = shownWindowed_ || !fullscreen;
  }

  // The largest whole factor the picture may be magnified by: fullscreen, the
  // --scale or as large as fits; in a window, the --scale or none (the picture
  // 1:1 at the top left).
  std::optional<int> LargestFactor() const {
    if (fullscreen_) return scale_.value_or(kScaleToFit);
    return scale_;
  }
  // Where the picture goes in a client area of this size, and the colour around it.
  Placement Place(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) const {
    return PlacePicture(pictureWidth, pictureHeight, clientWidth, clientHeight, LargestFactor());
  }

 private:
  std::optional<int> scale_;  // the player's --scale
  bool fullscreen_;
  bool shownWindowed_ = false;
};

}  // namespace platform
