#include "objects/doorcls.h"

#include "core/layout.h"
#include "core/rounding.h"
#include "core/stage_handles.h"

void doorcls::Draw() {
  constexpr int kCell = layout::Door.width;  // the picture's cells are as wide as the door
  const int mask = (Opened == True ? layout::DoorOpenMask : layout::DoorClosedMask) * kCell;
  const int sprite = (Opened == True ? layout::DoorOpen : layout::DoorClosed) * kCell;
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::doorpic, mask, 0, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::doorpic, sprite, 0, platform::SRCPAINT);
}
