#include "platform/win32/canvas.h"

#include <algorithm>

#include "platform/win32/windows_system.h"

namespace platform {
namespace {

// Inside namespace platform, HDC and BitBlt are the game's own: GDI's are
// named ::HDC and ::BitBlt here.
constexpr DWORD kCopy = 0x00CC0020;  // GDI's SRCCOPY

// A top-down 32-bit DIB of the given size: rows in the game's order and layout.
BITMAPINFO TopDown(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

Win32Canvas::~Win32Canvas() { Fit(0, 0); }

// Makes the picture in memory the client area's size (none for 0 × 0).
bool Win32Canvas::Fit(int width, int height) {
  if (width == width_ && height == height_ && (pixels_ != nullptr || width == 0)) return true;
  if (memory_ != nullptr) {
    SelectObject(memory_, static_cast<HGDIOBJ>(unselected_));
    DeleteObject(bitmap_);
    DeleteDC(memory_);
  }
  memory_ = nullptr, bitmap_ = nullptr, pixels_ = nullptr, unselected_ = nullptr;
  width_ = height_ = 0;
  placement_.reset();
  if (width <= 0 || height <= 0) return false;

  const BITMAPINFO info = TopDown(width, height);
  void* bits = nullptr;
  memory_ = CreateCompatibleDC(nullptr);
  bitmap_ = memory_ != nullptr ? CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (bitmap_ == nullptr) {
    if (memory_ != nullptr) DeleteDC(memory_);
    memory_ = nullptr;
    return false;
  }
  unselected_ = SelectObject(memory_, bitmap_);
  pixels_ = static_cast<Pixel*>(bits);
  width_ = width, height_ = height;
  return true;
}

void Win32Canvas::Fill(const Rect& r, Pixel colour) {
  for (int y = r.y; y < r.y + r.h; ++y) std::fill_n(pixels_ + std::size_t(y) * std::size_t(width_) + r.x, r.w, colour);
}

// The client area around the picture in the placement's colour.
void Win32Canvas::FillAround(const Placement& placement) {
  for (const Rect& r : AroundPicture(placement, width_, height_)) {
    if (r.w > 0 && r.h > 0) Fill(r, placement.surround);
  }
}

// A client area smaller than the picture: GDI shrinks it, averaging the pixels.
void Win32Canvas::Shrink(const Surface& picture, const Placement& placement) {
  const BITMAPINFO info = TopDown(picture.Width(), picture.Height());
  SetStretchBltMode(memory_, HALFTONE);
  SetBrushOrgEx(memory_, 0, 0, nullptr);
  const Rect& p = placement.picture;
  StretchDIBits(memory_, p.x, p.y, p.w, p.h, 0, 0, picture.Width(), picture.Height(), picture.Row(0), &info,
                DIB_RGB_COLORS, kCopy);
  GdiFlush();
}

// Copies a part of the picture in memory to the screen.
void Win32Canvas::Show(const Rect& r) {
  const ::HDC screen = GetDC(window_);
  if (screen == nullptr) return;
  ::BitBlt(screen, r.x, r.y, r.w, r.h, memory_, r.x, r.y, kCopy);
  ReleaseDC(window_, screen);
}

bool Win32Canvas::Present(const Surface& picture, const Region& changed, bool whole, const DesktopView& view) {
  RECT client{};
  GetClientRect(window_, &client);
  if (!Fit(client.right, client.bottom)) return false;
  const Placement placement = view.Place(picture.Width(), picture.Height(), width_, height_);
  whole = whole || placement_ != placement;
  placement_ = placement;
  GdiFlush();  // GDI is done with the pixels before they are written

  if (placement.factor == 0) {  // shrunk: drawn whole whenever anything changed
    if (!whole && changed.Rects().empty()) return true;
    FillAround(placement);
    Shrink(picture, placement);
    Show({0, 0, width_, height_});
    return true;
  }
  const PixelRows rows{pixels_, std::size_t(width_)};
  if (whole) {
    FillAround(placement);
    CopyMagnified(picture, picture.Bounds(), placement.factor, rows, placement.picture.x, placement.picture.y);
    Show({0, 0, width_, height_});
    return true;
  }
  // Wine sends a window's changes to the X server as one rectangle around
  // them all, whenever the program next looks at an empty message queue: at
  // 2x the changed parts of a frame lie far apart, and that rectangle costs
  // the X server a fifth of a core. A look after each part sends each alone.
  // On Windows the look costs next to nothing.
  for (const Rect& r : changed.Rects()) {
    Show(CopyMagnified(picture, r, placement.factor, rows, placement.picture.x, placement.picture.y));
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
  }
  return true;
}

void Win32Canvas::Paint() {
  PAINTSTRUCT paint;
  const ::HDC screen = BeginPaint(window_, &paint);
  if (screen == nullptr) return;
  const RECT& r = paint.rcPaint;
  if (memory_ != nullptr)
    ::BitBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_, r.left, r.top, kCopy);
  // Beyond the picture in memory (the window grew since it was drawn): black
  // until the next present.
  if (r.right > width_ || r.bottom > height_) {
    const RECT right{std::max(LONG(width_), r.left), r.top, r.right, r.bottom};
    const RECT below{r.left, std::max(LONG(height_), r.top), r.right, r.bottom};
    FillRect(screen, &right, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(screen, &below, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window_, &paint);
}

}  // namespace platform
