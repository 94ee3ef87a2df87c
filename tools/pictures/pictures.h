// The game's pictures, each drawn from scratch by its own function: the seven
// of the stage window, and the lettering sheet that the timer is written from.
#pragma once

#include "image.h"
#include "lettering.h"

namespace pictures {

// The player's frames: a mask sheet (black figures on white, yellow grid) and a
// sprite sheet (coloured figures on black, white grid), 127 × 49 each.
struct PlayerSheets {
  Image mask;
  Image sprite;
};

Image DrawLevel(const Font& notes);                     // background.png, 1024 × 742
PlayerSheets DrawPlayerSheets();                        // maskmap.png and spritemap.png
Image DrawMeasuringFigure(const PlayerSheets& sheets);  // measure.png, 20 × 47
Image DrawFlag();                                       // flagpic.png, 20 × 26
Image DrawDoor();                                       // doorpic.png, 112 × 56
Image DrawBanner(const Font& capitals);                 // pausedpic.png, 531 × 95
Image DrawLetteringSheet(const Font& notes);            // lettering.png, 1536 × 20

// The notes' lettering: the height of their capitals, in pixels.
inline constexpr int kNoteCapitalHeight = 11;

}  // namespace pictures
