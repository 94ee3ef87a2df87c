// Where everything is on the stage, in window pixels (x to the right, y
// downwards), and how the pictures that draw it are laid out. The game, the
// picture generator, the icon tool, the replay tool, the benchmarks and the
// tests all take these numbers from here. The level's own shape (floors,
// ceilings, walls, spikes) is in geometry/ and in the level picture.
#pragma once

#include <cstdint>

#include "platform/rect.h"

namespace layout {

using platform::Rect;

// The game area: the level picture, and the window's back image it is copied to.
inline constexpr int StageWidth = 1024, StageHeight = 742;

// A frame starts at most every 10 ms of the tick: 100 frames a second.
inline constexpr std::int64_t FrameMs = 10;

// While paused, the banner is copied whole over the last frame.
inline constexpr Rect Banner{247, 293, 531, 95};

// The player's box, the size of every frame of its figure.
inline constexpr int PlayerWidth = 20, PlayerHeight = 47;

// The player's X stays between these.
inline constexpr float LeftBound = 4, RightBound = 1000;

// The player's frames, as Picstate numbers them and the sheets hold them.
inline constexpr std::int16_t FacingLeft = 0, FromBehind = 1, FacingRight = 2;
inline constexpr std::int16_t Crouching = 3;  // a crouching frame is its standing frame + 3
inline constexpr int SheetFrames = 6;
// A crouched player's head is 16 pixels lower: crouching figures leave the
// upper 16 rows of their cells empty, and every ceiling comes 16 nearer.
inline constexpr int CrouchDrop = 16;

// The mask and sprite sheets hold the frames side by side between one-pixel
// grid lines: frame k is the player-sized cell at (CellX(k), CellY).
inline constexpr int SheetPitch = PlayerWidth + 1;
inline constexpr int SheetWidth = SheetFrames * SheetPitch + 1, SheetHeight = PlayerHeight + 2;
inline constexpr int CellY = 1;
constexpr int CellX(int frame) { return SheetPitch * frame + 1; }

// The stage objects' places at start-up: a flag at the foot of each pole,
// the door in the bottom-right room.
struct ObjectPlace {
  float x, y;
  std::int16_t width, height;
};
inline constexpr ObjectPlace Flag1{355, 328, 19, 13};
inline constexpr ObjectPlace Flag2{686, 544, 19, 13};
inline constexpr ObjectPlace Door{960, 639, 28, 55};
// A raised flag hangs this much higher, at the top of its pole.
inline constexpr float FlagRaise = 56;
// The flag picture holds its mask in the upper rows and its colours below,
// each as tall as a flag.
inline constexpr int FlagSpriteRow = Flag1.height;
// The door picture holds four cells as wide as the door: the closed door's
// mask and colours, then the open door's.
inline constexpr int DoorClosedMask = 0, DoorClosed = 1, DoorOpenMask = 2, DoorOpen = 3;

// The flag poles painted into the level, each standing on its floor.
inline constexpr Rect Pole1{349, 270, 6, 72};
inline constexpr Rect Pole2{680, 486, 6, 72};

// Where the player starts and, after a death, comes back: at the start, or
// beside the latest flag raised.
struct Spot {
  float x, y;
  std::int16_t picstate;
};
inline constexpr Spot Start{8, 111, FacingRight};
inline constexpr Spot BesideFlag1{342, 295, FacingLeft};
inline constexpr Spot BesideFlag2{673, 511, FacingRight};

// Where Space does something: the whole pixels of X from `fromX` to `toX`
// (both included), standing on the floor at exactly `y`.
struct Zone {
  float fromX, toX, y;
};
inline constexpr Zone AtPole1{330, 354, 295};
inline constexpr Zone AtPole2{661, 685, 511};
inline constexpr Zone AtDoor{955, 972, 647};

// The measuring image starts here.
inline constexpr float MeasureLeft = 552, MeasureTop = 104;

// The lettering sheet: the level's notes' letters, each in a cell of its own,
// white on black (how much of each pixel the letter covers), from which the
// text written over the picture (the timer) is set. Cell k holds the
// character 32 + k, from the space to the tilde, and the last one the minus
// sign; the letters stand on the baseline, capitals 11 pixels high.
inline constexpr int LetterCellWidth = 16, LetterCellHeight = 20, LetterBaseline = 15;
inline constexpr char32_t FirstLetter = U' ', LastLetter = U'~', MinusSign = U'\u2212';
inline constexpr int LetterCells = int(LastLetter - FirstLetter) + 2;
inline constexpr int LetterPenX = 2;  // where each letter's pen starts in its cell
constexpr int LetterCell(char32_t c) {
  return c == MinusSign ? LetterCells - 1 : c >= FirstLetter && c <= LastLetter ? int(c - FirstLetter) : -1;
}

}  // namespace layout
