#include "player/playercls.h"
#include "core/rounding.h"
#include "shell/stage1.h"

namespace {
// Frame k of both sheets is the 20 × 47 cell inside the grid lines at (21k + 1, 1).
constexpr int kCellPitch = 21;
}  // namespace

// The mask pass clears the figure's silhouette to black, the sprite pass paints
// the figure into it; around the figure both leave the stage as it was.
void playercls::Draw() {
  if (Visible != True) return;
  const int x = RoundHalfEven(X), y = RoundHalfEven(Y);
  const int cellX = kCellPitch * Picstate + 1;
  platform::BitBlt(CurrentForm, x, y, Width, Height, Stage1.maskmap.hDC(), cellX, 1, platform::SRCAND);
  platform::BitBlt(CurrentForm, x, y, Width, Height, Stage1.spritemap.hDC(), cellX, 1, platform::SRCPAINT);
}
