// A rectangle of pixels: its top-left corner and its size. It covers the
// columns x to x + w - 1 and the rows y to y + h - 1; one without width or
// height covers nothing.
#pragma once

#include <algorithm>

namespace platform {

struct Rect {
  int x, y, w, h;

  // From its first to its last column and row, both included: how places are
  // read off a picture.
  static constexpr Rect Spanning(int left, int top, int right, int bottom) {
    return {left, top, right - left + 1, bottom - top + 1};
  }

  constexpr bool Empty() const { return w <= 0 || h <= 0; }
  constexpr int Right() const { return x + w - 1; }   // the last column
  constexpr int Bottom() const { return y + h - 1; }  // the last row
  constexpr bool Contains(int px, int py) const { return px >= x && py >= y && px <= Right() && py <= Bottom(); }
  constexpr bool Contains(const Rect& r) const {
    return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h;
  }
  // Larger by `margin` on every side.
  constexpr Rect Grown(int margin) const { return {x - margin, y - margin, w + 2 * margin, h + 2 * margin}; }
  bool operator==(const Rect&) const = default;
};

// The smallest rectangle covering both; an empty one adds nothing.
constexpr Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.x + a.w, b.x + b.w) - left, std::max(a.y + a.h, b.y + b.h) - top};
}

}  // namespace platform
