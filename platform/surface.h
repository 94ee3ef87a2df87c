// Raster surfaces named by 32-bit device-context handles, and the rectangle
// blit the game draws with. Pixels are 32-bit 0x00RRGGBB words, so the AND and
// OR raster operations work on all three colour channels at once.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rect.h"

namespace platform {

using HDC = std::int32_t;
using Pixel = std::uint32_t;

// The three raster operations the game uses (the usual GDI codes).
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;   // dest = src
inline constexpr std::uint32_t SRCAND = 0x008800C6;    // dest = dest AND src
inline constexpr std::uint32_t SRCPAINT = 0x00EE0086;  // dest = dest OR src

inline constexpr Pixel RGB(int r, int g, int b) { return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b); }

// A few rectangles covering some part of a surface: a rectangle swallows those
// it contains, and when they grow many they merge into their bounding box.
class Region {
 public:
  void Add(const Rect& r);
  void Clear() { rects_.clear(); }
  const std::vector<Rect>& Rects() const { return rects_; }

 private:
  std::vector<Rect> rects_;
};

// An off-screen image that lives as long as its owner. Creating one gives it a
// fresh handle, never used before; destroying it retires the handle, after which
// blits naming it do nothing. A copy is a new surface, with a handle of its
// own and the same pixels; assigning one surface to another copies the pixels
// and keeps the handle.
//
// A surface remembers what it was last copied from whole and which parts blits
// have changed since, so that copying the same picture over it again (as every
// frame does with the level) rewrites only those parts. It also keeps the parts
// changed since the window last presented it.
class Surface {
 public:
  Surface(int width, int height, Pixel fill = 0);
  ~Surface();
  Surface(const Surface& other);
  Surface& operator=(const Surface& other);

  HDC hDC() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  const std::vector<Pixel>& Pixels() const { return pixels_; }
  // Writing pixels directly: the surface forgets what it was a copy of.
  Pixel* Row(int y);
  Pixel& At(int x, int y) { return Row(y)[x]; }

  // The parts changed since the last call (the whole surface at first).
  Region TakeDamage() const;

 private:
  friend int BitBlt(HDC, int, int, int, int, HDC, int, int, std::uint32_t);

  Pixel* RawRow(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  void Changed(const Rect& r);

  HDC handle_;
  int width_;
  int height_;
  std::vector<Pixel> pixels_;

  std::uint64_t version_ = 0;      // counts every change of the pixels
  HDC copyOf_ = 0;                 // these pixels equal that surface's...
  std::uint64_t copyVersion_ = 0;  // ...as it was at this version...
  Region changedSinceCopy_;        // ...outside these parts
  mutable Region damage_;          // changed since last taken
};

// Copies the w × h rectangle at (sx, sy) of src onto dest at (x, y), combining
// the pixels by rop. The rectangle is clipped to both surfaces, so a request
// larger than either copies only what both hold. Answers nonzero when the
// handles and the raster operation were known.
int BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop);

}  // namespace platform
