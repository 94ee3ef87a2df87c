#include "app/ghost.h"

#include "core/layout.h"
#include "core/rounding.h"
#include "shell/pictures.h"

Ghost::Ghost(std::vector<platform::ScriptedEvent> events)
    : run_(std::move(events), nullptr),
      mask_(SharedPicture(embedded::maskmap)),
      sprites_(SharedPicture(embedded::spritemap)),
      box_(layout::PlayerWidth, layout::PlayerHeight) {}

void Ghost::Draw(platform::Surface& picture, std::int64_t frame) {
  if (frame < 1) return;
  while (run_.FramesScanned() < frame && run_.Scan(frame - run_.FramesScanned())) {
  }
  if (frame > run_.FramesScanned()) return;  // its run has ended
  const playercls& ghost = run_.Show(frame).Player;
  if (ghost.Visible != True) return;
  const int x = RoundHalfEven(ghost.X), y = RoundHalfEven(ghost.Y), cellX = layout::CellX(ghost.Picstate);
  const int w = std::min<int>(ghost.Width, box_.Width()), h = std::min<int>(ghost.Height, box_.Height());
  platform::BitBlt(box_.hDC(), 0, 0, w, h, picture.hDC(), x, y, platform::SRCCOPY);
  // Where the mask is black the sprite shows: half of it over the picture.
  for (int j = 0; j < h; ++j) {
    const platform::Pixel* mask = mask_->Row(layout::CellY + j) + cellX;
    const platform::Pixel* sprite = sprites_->Row(layout::CellY + j) + cellX;
    platform::Pixel* under = box_.Row(j);
    for (int i = 0; i < w; ++i) {
      if (mask[i] != 0) continue;
      under[i] = ((under[i] & 0xFEFEFE) >> 1) + ((sprite[i] & 0xFEFEFE) >> 1);
    }
  }
  platform::BitBlt(picture.hDC(), x, y, w, h, box_.hDC(), 0, 0, platform::SRCCOPY);
}
