#include "objects/flagcls.h"

#include "core/rounding.h"
#include "shell/stage1.h"

namespace {
constexpr float kRaiseBy = 56;  // from the foot of the pole to its top
constexpr int kSpriteRow = 13;  // the sprite half of the picture, under the mask half
}  // namespace

void flagcls::Draw() {
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  const HDC picture = Stage1.flagpic.hDC();
  platform::BitBlt(CurrentForm, x, y, Width, Height, picture, 0, 0, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, picture, 0, kSpriteRow, platform::SRCPAINT);
}

void flagcls::Raise() {
  if (Raised == True) return;
  Y = Y - kRaiseBy;
  Raised = True;
}
