// Raster surfaces named by 32-bit device-context handles, and the rectangle
// blit the game draws with. Pixels are 32-bit 0x00RRGGBB words, so the AND and
// OR raster operations work on all three colour channels at once.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

using HDC = std::int32_t;
using Pixel = std::uint32_t;

// The three raster operations the game uses (the usual GDI codes).
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;   // dest = src
inline constexpr std::uint32_t SRCAND = 0x008800C6;    // dest = dest AND src
inline constexpr std::uint32_t SRCPAINT = 0x00EE0086;  // dest = dest OR src

inline constexpr Pixel RGB(int r, int g, int b) {
  return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}

// An off-screen image that lives as long as its owner. Creating one gives it a
// fresh handle, never used before; destroying it retires the handle, after which
// blits naming it do nothing.
class Surface {
 public:
  Surface(int width, int height, Pixel fill = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC hDC() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Pixel* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  Pixel& At(int x, int y) { return Row(y)[x]; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  const std::vector<Pixel>& Pixels() const { return pixels_; }

 private:
  HDC handle_;
  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

// The surface a handle names, or nullptr for a handle that names none.
Surface* SurfaceOf(HDC hdc);

// Copies the w × h rectangle at (sx, sy) of src onto dest at (x, y), combining
// the pixels by rop. The rectangle is clipped to both surfaces, so a request
// larger than either copies only what both hold. Answers nonzero when the
// handles and the raster operation were known.
int BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop);

}  // namespace platform
