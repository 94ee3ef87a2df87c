#include <gtest/gtest.h>

#include <memory>

#include "core/layout.h"
#include "core/stage_handles.h"
#include "headless_game.h"
#include "shell/pictures.h"

namespace {

using platform::Pixel;
using platform::RGB;
using platform::Surface;

constexpr Pixel kCream = RGB(236, 233, 216), kBlack = 0, kWhite = 0xFFFFFF;
constexpr Pixel kShirt = RGB(128, 64, 0);

// The stage with plain cream, and player sheets whose every cell is a solid
// figure with a one-pixel outline, so that each drawn pixel says where it came
// from. The sheets, the flag and the door are the test's own: the game's are
// every game's.
class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    back = &started.game.Stage1.BackImage;
    Fill(*back, kCream);
    stage::maskmap = mask.hDC();
    stage::spritemap = sprite.hDC();
    stage::flagpic = flag.hDC();
    stage::doorpic = door.hDC();
    Fill(mask, kWhite);
    Fill(sprite, kBlack);
    for (int cell = 0; cell < layout::SheetFrames; ++cell) {
      const int left = layout::CellX(cell), top = layout::CellY;
      for (int y = top; y < top + layout::PlayerHeight; ++y) {
        for (int x = left; x < left + layout::PlayerWidth; ++x) {
          mask.At(x, y) = y > top && x > left ? kBlack : kWhite;
          sprite.At(x, y) = y > top + 1 && x > left + 1 ? RGB(cell, y, x) : kBlack;
        }
      }
    }
  }

  void TearDown() override {
    const Stage1Window& stage1 = started.game.Stage1;
    stage::maskmap = stage1.maskmap.hDC();
    stage::spritemap = stage1.spritemap.hDC();
    stage::flagpic = stage1.flagpic.hDC();
    stage::doorpic = stage1.doorpic.hDC();
  }

  static void Fill(Surface& s, Pixel p) {
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) s.At(x, y) = p;
  }

  StartedGame started;
  playercls& p = started.player();
  Surface* back = nullptr;
  Surface mask = *started.game.Stage1.maskmap.Picture;
  Surface sprite = *started.game.Stage1.spritemap.Picture;
  Surface flag = *started.game.Stage1.flagpic.Picture;
  Surface door = *started.game.Stage1.doorpic.Picture;
};

TEST_F(Drawing, ThePlayerLandsOnTheNearestPixelHalvesToEven) {
  p.Picstate = 2;
  p.X = 100.5f;
  p.Y = 200.5f;
  p.Draw();
  // The cell's first outline pixel is (1, 1) inside the cell, its first colour (2, 2).
  EXPECT_EQ(back->At(100, 200), kCream);  // mask white there
  EXPECT_EQ(back->At(101, 201), kBlack);  // the outline
  EXPECT_EQ(back->At(102, 202), RGB(2, 3, 45));
  EXPECT_EQ(back->At(119, 246), RGB(2, 47, 62));
  EXPECT_EQ(back->At(120, 246), kCream);  // 20 wide
  EXPECT_EQ(back->At(119, 247), kCream);  // 47 high

  Fill(*back, kCream);
  p.X = 101.5f;
  p.Y = 100.4f;
  p.Draw();
  EXPECT_EQ(back->At(104, 102), RGB(2, 3, 45));
}

TEST_F(Drawing, EachFrameComesFromItsOwnCell) {
  for (const std::int16_t frame : {0, 3, 5}) {
    p.Picstate = frame;
    p.X = 300;
    p.Y = 300;
    p.Draw();
    EXPECT_EQ(back->At(302, 302), RGB(frame, 3, 21 * frame + 3)) << frame;
  }
}

TEST_F(Drawing, AHiddenPlayerDrawsNothing) {
  for (const Boolean visible : {False, Boolean(1)}) {
    p.Visible = visible;
    p.X = 50;
    p.Y = 50;
    p.Draw();
    for (int y = 50; y < 97; ++y)
      for (int x = 50; x < 70; ++x) ASSERT_EQ(back->At(x, y), kCream);
  }
}

TEST_F(Drawing, FlagsAndTheDoorDrawTheirRectanglesOnly) {
  for (int y = 0; y < layout::FlagSpriteRow; ++y)
    for (int x = 0; x < flag.Width(); ++x) {
      flag.At(x, y) = kBlack;
      flag.At(x, layout::FlagSpriteRow + y) = RGB(0, 0, 255);
    }
  started.game.Flag1.Draw();
  EXPECT_EQ(back->At(355, 328), RGB(0, 0, 255));
  EXPECT_EQ(back->At(373, 340), RGB(0, 0, 255));
  EXPECT_EQ(back->At(374, 340), kCream);  // 19 columns of the 20
  EXPECT_EQ(back->At(373, 341), kCream);

  Fill(door, kBlack);
  const auto paintCell = [&](int cell, Pixel colour) {
    for (int x = cell * layout::Door.width; x < (cell + 1) * layout::Door.width; ++x)
      for (int y = 0; y < door.Height(); ++y) door.At(x, y) = colour;
  };
  paintCell(layout::DoorClosed, RGB(128, 64, 0));
  paintCell(layout::DoorOpen, RGB(0, 128, 0));
  started.game.Door1.Draw();
  EXPECT_EQ(back->At(960, 639), RGB(128, 64, 0));
  EXPECT_EQ(back->At(987, 693), RGB(128, 64, 0));
  EXPECT_EQ(back->At(988, 693), kCream);
  EXPECT_EQ(back->At(987, 694), kCream);  // 55 rows of the 56
  started.game.Door1.Opening(p);
  started.game.Door1.Draw();
  EXPECT_EQ(back->At(970, 660), RGB(0, 128, 0));
}

// The measuring image is the player standing and facing right, as the game
// draws it over open space.
TEST(PlayerPictures, TheMeasuringImageIsThePlayerStandingRightOnCream) {
  StartedGame game;
  Surface cream(layout::PlayerWidth, layout::PlayerHeight, kCream);
  playercls& p = game.player();
  p.CurrentForm = cream.hDC();
  p.X = 0;
  p.Y = 0;
  p.Picstate = layout::FacingRight;
  p.Draw();
  const std::shared_ptr<const Surface> measure = SharedPicture(embedded::measure);
  ASSERT_EQ(measure->Pixels(), cream.Pixels());
  EXPECT_EQ(cream.At(10, 20), kShirt) << "a drawn figure, not just cream";
}

// With the game's own pictures: a crouching figure leaves the upper 16 rows
// of its box as they were.
TEST(PlayerPictures, CrouchingFramesLeaveTheTopOfTheBoxUntouched) {
  StartedGame game;
  platform::Surface& back = game.game.Stage1.BackImage;
  for (const std::int16_t frame : {3, 5}) {
    for (int y = 0; y < back.Height(); ++y)
      for (int x = 0; x < back.Width(); ++x) back.At(x, y) = RGB(x & 255, y & 255, 77);
    game.player().Picstate = frame;
    game.player().X = 400;
    game.player().Y = 300;
    game.player().Draw();
    for (int y = 300; y < 316; ++y)
      for (int x = 400; x < 420; ++x) ASSERT_EQ(back.At(x, y), RGB(x & 255, y & 255, 77)) << frame;
  }
}

}  // namespace
