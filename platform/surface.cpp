#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <span>
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

// The surface a handle names, or nullptr for a handle that names none.
Surface* SurfaceOf(HDC hdc) {
  for (const auto& [handle, surface] : Registry()) {
    if (handle == hdc) return surface;
  }
  return nullptr;
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
  damage_.Add(Bounds());
  Registry().emplace_back(handle_, this);
}

Surface::Surface(const Surface& other) : Surface(0, 0) { *this = other; }

// What the pixels were a copy of is forgotten: the whole surface has changed.
Surface& Surface::operator=(const Surface& other) {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = other.pixels_;
  copyOf_ = 0;
  changedSinceCopy_.Clear();
  damage_.Clear();
  Changed(Bounds());
  return *this;
}

Surface::~Surface() {
  auto& registry = Registry();
  std::erase_if(registry, [this](const auto& entry) { return entry.second == this; });
}

Pixel* Surface::Row(int y) {
  copyOf_ = 0;
  Changed(Bounds());
  return RawRow(y);
}

void Surface::Changed(const Rect& r) {
  ++version_;
  if (copyOf_ != 0) changedSinceCopy_.Add(r);
  damage_.Add(r);
}

Region Surface::TakeDamage() const { return std::exchange(damage_, Region{}); }

void Region::Add(const Rect& r) {
  constexpr std::size_t kMostRects = 16;
  if (r.w <= 0 || r.h <= 0) return;
  for (const Rect& have : rects_) {
    if (have.Contains(r)) return;
  }
  std::erase_if(rects_, [&r](const Rect& have) { return r.Contains(have); });
  rects_.push_back(r);
  if (rects_.size() <= kMostRects) return;
  Rect box{};
  for (const Rect& q : rects_) box = Union(box, q);
  rects_.assign(1, box);
}

namespace {

// Copies one rectangle between two surfaces of one width, row by row, or in one
// go when it spans whole rows.
void CopyRect(Pixel* to, const Pixel* from, int width, const Rect& r) {
  const std::size_t offset = std::size_t(r.y) * std::size_t(width) + std::size_t(r.x);
  if (r.w == width) {
    std::memmove(to + offset, from + offset, std::size_t(r.w) * std::size_t(r.h) * sizeof(Pixel));
    return;
  }
  for (int row = 0; row < r.h; ++row) {
    const std::size_t at = offset + std::size_t(row) * std::size_t(width);
    std::memmove(to + at, from + at, std::size_t(r.w) * sizeof(Pixel));
  }
}

}  // namespace

int BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, std::uint32_t rop) {
  Surface* to = SurfaceOf(dest);
  const Surface* from = SurfaceOf(src);  // read only: reading leaves it as it is
  if (to == nullptr || from == nullptr) return 0;
  if (rop != SRCCOPY && rop != SRCAND && rop != SRCPAINT) return 0;

  const Span cols = Clip(x, sx, w, to->Width(), from->Width());
  const Span rows = Clip(y, sy, h, to->Height(), from->Height());
  if (cols.length == 0 || rows.length == 0) return 1;
  const Rect target{int(cols.dest), int(rows.dest), int(cols.length), int(rows.length)};

  // A whole picture copied over a surface of its size: where the surface
  // already holds this very picture, only what has changed since is rewritten.
  const bool whole = rop == SRCCOPY && to != from && to->Width() == from->Width() && to->Height() == from->Height() &&
                     cols.dest == 0 && cols.src == 0 && rows.dest == 0 && rows.src == 0 && cols.length == to->Width() &&
                     rows.length == to->Height();
  if (whole) {
    const bool holdsIt = to->copyOf_ == src && to->copyVersion_ == from->version_;
    const Rect all[] = {target};
    const std::span<const Rect> stale = holdsIt ? std::span<const Rect>(to->changedSinceCopy_.Rects()) : all;
    for (const Rect& r : stale) {
      CopyRect(to->RawRow(0), from->Row(0), to->Width(), r);
      to->damage_.Add(r);
    }
    ++to->version_;
    to->copyOf_ = src;
    to->copyVersion_ = from->version_;
    to->changedSinceCopy_.Clear();
    return 1;
  }

  const auto n = std::size_t(cols.length);
  for (long long r = 0; r < rows.length; ++r) {
    Pixel* d = to->RawRow(int(rows.dest + r)) + cols.dest;
    const Pixel* s = from->Row(int(rows.src + r)) + cols.src;
    switch (rop) {
      case SRCCOPY: std::memmove(d, s, n * sizeof(Pixel)); break;
      case SRCAND:
        for (std::size_t i = 0; i < n; ++i) d[i] &= s[i];
        break;
      default:  // SRCPAINT
        for (std::size_t i = 0; i < n; ++i) d[i] |= s[i];
        break;
    }
  }
  to->Changed(target);
  return 1;
}

}  // namespace platform
