#include "objects/doorcls.h"

#include "core/rounding.h"
#include "shell/stage1.h"

namespace {
// The picture's four cells: closed mask, closed door, open mask, open door.
constexpr int kCellWidth = 28;
constexpr int kClosedMask = 0, kClosed = 1, kOpenMask = 2, kOpen = 3;
}  // namespace

void doorcls::Draw() {
  const int mask = (Opened == True ? kOpenMask : kClosedMask) * kCellWidth;
  const int sprite = (Opened == True ? kOpen : kClosed) * kCellWidth;
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  const HDC picture = Stage1.doorpic.hDC();
  platform::BitBlt(CurrentForm, x, y, Width, Height, picture, mask, 0, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, picture, sprite, 0, platform::SRCPAINT);
}
