#include "core/layout.h"
#include "core/rounding.h"
#include "core/stage_handles.h"
#include "player/playercls.h"

// The mask pass clears the figure's silhouette to black, the sprite pass paints
// the figure into it; around the figure both leave the stage as it was.
void playercls::Draw() {
  if (Visible != True) return;
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  const int cellX = layout::CellX(Picstate);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::maskmap, cellX, layout::CellY, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, stage::spritemap, cellX, layout::CellY, platform::SRCPAINT);
}
