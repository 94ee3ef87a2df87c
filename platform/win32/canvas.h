// The window's client area as a picture in memory (a DIB section, 32-bit
// pixels laid out as the game's own). The changed parts of the game's picture
// are copied into it, magnified where the picture is scaled, and only those
// are copied to the screen; a repaint copies from it what the screen lost.
#pragma once

#include <optional>

#include "platform/desktop_view.h"

struct HWND__;
struct HDC__;
struct HBITMAP__;

namespace platform {

class Win32Canvas {
 public:
  explicit Win32Canvas(HWND__* window) : window_(window) {}
  ~Win32Canvas();
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  // Shows the parts of the picture that changed, placed as the view places
  // it; `whole`: everything must be drawn again. Answers false when nothing
  // could be drawn (the window is minimized).
  bool Present(const Surface& picture, const Region& changed, bool whole, const DesktopView& view);
  // WM_PAINT: the screen lost part of the window.
  void Paint();

 private:
  bool Fit(int width, int height);
  void Fill(const Rect& r, Pixel colour);
  void FillAround(const Placement& placement);
  void Shrink(const Surface& picture, const Placement& placement);
  void Show(const Rect& r);

  HWND__* window_;
  HDC__* memory_ = nullptr;
  HBITMAP__* bitmap_ = nullptr;
  void* unselected_ = nullptr;  // the memory DC's own bitmap, put back before ours is deleted
  Pixel* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
  std::optional<Placement> placement_;  // where the picture was drawn, none before the first
};

}  // namespace platform
