// Where the game picture goes in the window's client area and how large it is
// drawn there, and the nearest-neighbour magnification that draws it. Nothing
// here knows SDL: the window backends present with it.
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <optional>

#include "platform/surface.h"

namespace platform {

// Around the unscaled picture: the desktop window's dark grey, and the web
// page's background (its build writes the colour into the page).
inline constexpr Pixel kSurround = RGB(24, 24, 28);

inline constexpr int kLargestScale = 8;  // --scale takes a factor from 1 to this
// "As large as fits": no limit on the whole factor.
inline constexpr int kScaleToFit = std::numeric_limits<int>::max();

// How the player asked to see the game.
struct ViewOptions {
  bool fullscreen = false;
  // At most this whole factor (or kScaleToFit), centred on black; none for the
  // picture 1:1 at the top left of the window.
  std::optional<int> scale;
};

// The picture's place in a client area: the rectangle it covers, the whole
// factor it is magnified by (0 when it is shrunk to fit a client area smaller
// than the picture), and the colour of the rest of the client area.
struct Placement {
  Rect picture;
  int factor;
  Pixel surround;
  bool operator==(const Placement&) const = default;
};

// Unscaled (no largestFactor), the picture sits 1:1 at the top left on a dark
// grey. Scaled, it is magnified by the largest whole factor up to
// largestFactor that fits, and centred on black. Either way, a client area
// smaller than the picture gets it shrunk to fit, keeping its proportions.
Placement PlacePicture(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight,
                       std::optional<int> largestFactor);

// The client area but the picture, painted in the placement's colour: the
// parts above, below, left and right of the picture (some of them empty).
std::array<Rect, 4> AroundPicture(const Placement& placement, int clientWidth, int clientHeight);

// 32-bit pixels in rows `pitch` pixels apart: a window's client area.
struct PixelRows {
  Pixel* pixels;
  std::size_t pitch;
};

// Draws the `part` of the picture magnified `factor` times (each pixel
// becoming factor × factor pixels) onto the client area, with the picture's
// top-left corner at `origin`. Answers the rectangle of the client area drawn.
Rect CopyMagnified(const Surface& picture, const Rect& part, int factor, const PixelRows& to, int originX, int originY);

// What of the picture a window presents must reach its screen: the parts
// changed since it was last presented anywhere, or all of it when it is
// another picture than the one this window showed last (the game's after a
// copy of it with the timer drawn over, say), whose own changes say nothing
// of what the screen holds.
class ScreenDamage {
 public:
  Region Take(const Surface& picture);

 private:
  HDC shown_ = 0;
};

}  // namespace platform
