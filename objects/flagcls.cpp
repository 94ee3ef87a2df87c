#include "objects/flagcls.h"

#include "core/layout.h"
#include "core/rounding.h"
#include "core/stage_handles.h"

void flagcls::Draw() {
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::flagpic, 0, 0, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::flagpic, 0, layout::FlagSpriteRow, platform::SRCPAINT);
}

// From the foot of the pole to its top, once.
void flagcls::Raise() {
  if (Raised == True) return;
  Y = Y - layout::FlagRaise;
  Raised = True;
}
