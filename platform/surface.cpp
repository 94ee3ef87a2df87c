#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// The few surfaces of a run, by handle. A linear scan of a handful of entries
// is faster than any map here. Never destroyed: surfaces owned by globals
// unregister themselves during the program's exit.
std::vector<std::pair<HDC, Surface*>>& Registry() {
  static auto* registry = new std::vector<std::pair<HDC, Surface*>>;
  return *registry;
}

HDC NextHandle() {
  static HDC next = 0x01010000;
  return next += 0x10;
}

struct Span {
  long long dest;
  long long src;
  long long length;
};

// Clips one axis of a blit: the run of `length` cells that starts at `dest` in a
// line of `destSize` cells and at `src` in a line of `srcSize` cells.
Span Clip(long long dest, long long src, long long length, long long destSize, long long srcSize) {
  if (dest < 0) {
    src -= dest;
    length += dest;
    dest = 0;
  }
  if (src < 0) {
    dest -= src;
    length += src;
    src = 0;
  }
  length = std::min({length, destSize - dest, srcSize - src});
  return {dest, src, std::max(length, 0LL)};
}

}  // namespace

Surface::Surface(int width, int height, Pixel fill)
    : handle_(NextHandle()),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {
  Registry().emplace_back(handle_, this);
}

Surface::~Surface() {
  auto& registry = Registry();
  std::erase_if(registry, [this](const auto& entry) { return entry.second == this; });
}

Surface* SurfaceOf(HDC hdc) {
  for (const auto& [handle, surface] : Registry()) {
    if (handle == hdc) return surface;
  }
  return nullptr;
}

int BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop) {
  Surface* to = SurfaceOf(dest);
  const Surface* from = SurfaceOf(src);
  if (to == nullptr || from == nullptr) return 0;
  if (rop != SRCCOPY && rop != SRCAND && rop != SRCPAINT) return 0;

  const Span cols = Clip(x, sx, w, to->Width(), from->Width());
  const Span rows = Clip(y, sy, h, to->Height(), from->Height());
  if (cols.length == 0 || rows.length == 0) return 1;

  const auto n = std::size_t(cols.length);
  if (rop == SRCCOPY && n == std::size_t(to->Width()) && n == std::size_t(from->Width())) {
    // Whole rows of two surfaces of one width: a single copy.
    std::memmove(to->Row(int(rows.dest)), from->Row(int(rows.src)), n * std::size_t(rows.length) * sizeof(Pixel));
    return 1;
  }
  for (long long r = 0; r < rows.length; ++r) {
    Pixel* d = to->Row(int(rows.dest + r)) + cols.dest;
    const Pixel* s = from->Row(int(rows.src + r)) + cols.src;
    switch (rop) {
      case SRCCOPY:
        std::memmove(d, s, n * sizeof(Pixel));
        break;
      case SRCAND:
        for (std::size_t i = 0; i < n; ++i) d[i] &= s[i];
        break;
      default:  // SRCPAINT
        for (std::size_t i = 0; i < n; ++i) d[i] |= s[i];
        break;
    }
  }
  return 1;
}

}  // namespace platform
