#include "platform/presentation.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr Pixel kBlack = RGB(0, 0, 0);

// Each pixel of the row written `factor` times over.
template <int factor>
void Widen(const Pixel* from, int width, Pixel* to) {
  for (int i = 0; i < width; ++i) {
    for (int k = 0; k < factor; ++k) *to++ = from[i];
  }
}

void Widen(const Pixel* from, int width, int factor, Pixel* to) {
  switch (factor) {
    case 1: std::memcpy(to, from, std::size_t(width) * sizeof(Pixel)); break;
    case 2: Widen<2>(from, width, to); break;
    case 3: Widen<3>(from, width, to); break;
    default:
      for (int i = 0; i < width; ++i) to = std::fill_n(to, factor, from[i]);
      break;
  }
}

}  // namespace

Placement PlacePicture(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight,
                       std::optional<int> largestFactor) {
  const bool scaled = largestFactor.has_value();
  const Pixel surround = scaled ? kBlack : kSurround;
  if (pictureWidth <= 0 || pictureHeight <= 0) return {{0, 0, 0, 0}, 1, surround};

  const int fits = std::min(clientWidth / pictureWidth, clientHeight / pictureHeight);
  const int factor = std::max(0, scaled ? std::min(*largestFactor, fits) : std::min(1, fits));
  Rect picture{0, 0, pictureWidth * factor, pictureHeight * factor};
  if (factor == 0) {
    const double shrink = std::min(double(clientWidth) / pictureWidth, double(clientHeight) / pictureHeight);
    picture.w = std::max(1, int(pictureWidth * shrink));
    picture.h = std::max(1, int(pictureHeight * shrink));
  }
  if (scaled) {
    picture.x = (clientWidth - picture.w) / 2;
    picture.y = (clientHeight - picture.h) / 2;
  }
  return {picture, factor, surround};
}

std::array<Rect, 4> AroundPicture(const Placement& placement, int clientWidth, int clientHeight) {
  const Rect& p = placement.picture;
  return {{
      {0, 0, clientWidth, p.y},                               // above
      {0, p.y + p.h, clientWidth, clientHeight - p.y - p.h},  // below
      {0, p.y, p.x, p.h},                                     // left
      {p.x + p.w, p.y, clientWidth - p.x - p.w, p.h},         // right
  }};
}

Rect CopyMagnified(const Surface& picture, const Rect& part, int factor, const PixelRows& to, int originX,
                   int originY) {
  const Rect drawn{originX + part.x * factor, originY + part.y * factor, part.w * factor, part.h * factor};
  for (int row = part.y; row < part.y + part.h; ++row) {
    Pixel* first = to.pixels + std::size_t(originY + row * factor) * to.pitch + std::size_t(drawn.x);
    Widen(picture.Row(row) + part.x, part.w, factor, first);
    for (int k = 1; k < factor; ++k) {
      std::memcpy(first + std::size_t(k) * to.pitch, first, std::size_t(drawn.w) * sizeof(Pixel));
    }
  }
  return drawn;
}

Region ScreenDamage::Take(const Surface& picture) {
  Region damage = picture.TakeDamage();
  if (picture.hDC() != shown_) {
    shown_ = picture.hDC();
    damage.Clear();
    damage.Add(picture.Bounds());
  }
  return damage;
}

}  // namespace platform
