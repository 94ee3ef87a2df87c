// The level picture and the level's geometry describe the same rock: where the
// game puts a floor or a ceiling, the picture shows rock (or a spike's tip)
// right under the player's feet or right over its head.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>
#include <vector>

#include "core/stage_handles.h"
#include "geometry/geometry.h"

namespace {

using namespace module1;

constexpr int kPlayerWidth = 20;
constexpr int kPlayerHeight = 47;
constexpr int kCrouchDrop = 16;  // a crouching player's head is this much lower

class LevelPicture {
 public:
  LevelPicture() {
    const std::string path = std::string(PLINKARD_SOURCE_DIR) + "/assets/background.png";
    int channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &width_, &height_, &channels, 3);
    if (data == nullptr) return;
    pixels_.assign(data, data + std::size_t(width_) * std::size_t(height_) * 3);
    stbi_image_free(data);
  }
  bool Loaded() const { return !pixels_.empty(); }

  // Rock, spikes and their outlines; open space, notes and flag poles are not.
  bool Solid(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return true;
    const std::size_t i = (std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 3;
    const int r = pixels_[i], g = pixels_[i + 1], b = pixels_[i + 2];
    const bool grey = r == g && g == b && (r == 128 || r == 56);
    const bool spikeRed = r == 193 && g == 0 && b == 0;
    const bool black = r == 0 && g == 0 && b == 0;
    const bool pole = (x >= 349 && x <= 354 && y >= 270 && y <= 341) || (x >= 680 && x <= 685 && y >= 486 && y <= 557);
    return grey || spikeRed || (black && !pole);
  }
  // Whether any column the player's box covers at x is solid on row y.
  bool RowUnderBoxSolid(int x, int y) const {
    for (int c = x; c < x + kPlayerWidth; ++c)
      if (Solid(c, y)) return true;
    return false;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<unsigned char> pixels_;
};

class PictureAndGeometry : public ::testing::Test {
 protected:
  const stage::BackImage form;  // a stage window's: the queries answer for it alone
  const HDC kStage = form.hDC();
  static const LevelPicture& Picture() {
    static const LevelPicture picture;
    return picture;
  }
};

// A place the player can be: x, and a y in the band (and room) to ask about,
// with room for a crouching player between it and the floor.
struct Probe {
  int x, y;
  const char* what;
};

// Where the floor the game uses is the picture's surface. Left out, because the
// two differ there: over the middle band's spike rows the game's floor is the
// raised floors' surface (y 342) while the tips stand at 344 and 345; over the
// spikes on the foot's lower end, in the trough, on the lowered shelf and in the
// ground groups between the low posts the game's floor is 1 or 2 rows above
// the tips; and on the block at the trough's left end and the wall under the
// trough it is one row below the rock's top (487 against 486).
const Probe kFloors[] = {
    {60, 20, "the top band's floor at the start"},
    {180, 20, "the low step"},
    {270, 20, "the top band's floor between the steps"},
    {370, 20, "the high step"},
    {500, 20, "the top band's floor"},
    {640, 111, "the floor under the hanging block"},
    {800, 20, "the top band's floor before the shaft"},
    {980, 20, "down the shaft onto the raised floor at the right"},
    {20, 250, "down the open drop at the middle band's left"},
    {75, 180, "the pillar at the middle band's left"},
    {320, 227, "the raised floor carrying the first flag pole"},
    {600, 227, "the block under the small hole"},
    {680, 227, "the raised floor under the block"},
    {940, 250, "the raised floor at the foot of the shaft"},
    {50, 400, "the spikes on the ground at the bottom left"},
    {125, 400, "the first post"},
    {200, 600, "the spikes right of the first post"},
    {270, 400, "the foot of the hanging wall"},
    {270, 600, "the second post"},
    {330, 600, "the spikes right of the second post"},
    {370, 531, "the widening of the wall under the trough"},
    {500, 511, "the lower shelf under the trough, crouching"},
    {500, 619, "the first low post"},
    {540, 415, "the upper shelf under the stub, crouching"},
    {600, 400, "the upper shelf"},
    {660, 490, "the lower shelf right of its spikes"},
    {700, 600, "the third low post"},
    {745, 457, "the notch in the wall down to the lower shelf"},
    {790, 600, "the fourth low post"},
    {860, 379, "the top of the right pillar, from its left"},
    {860, 550, "the notch in the right pillar"},
    {900, 379, "the top of the right pillar"},
    {940, 400, "the spikes on the top left ledge"},
    {940, 641, "the bottom-right room's floor, under the ledges"},
    {965, 600, "the bottom-right room's floor, in the door's place"},
    {985, 400, "the spikes on the top right ledge"},
};

TEST_F(PictureAndGeometry, FloorsAreTheFirstSolidRowUnderThePlayer) {
  const LevelPicture& picture = Picture();
  ASSERT_TRUE(picture.Loaded());
  for (const Probe& p : kFloors) {
    SCOPED_TRACE(std::string(p.what) + " at x " + std::to_string(p.x) + ", y " + std::to_string(p.y));
    const float level = FloorLevel(kStage, float(p.x), float(p.y));
    const int floor = int(level);
    ASSERT_GE(floor, p.y);
    // Nothing in the way of a (crouching) player falling from y to the floor...
    for (int y = p.y + kCrouchDrop; y < floor + kPlayerHeight; ++y)
      ASSERT_FALSE(picture.RowUnderBoxSolid(p.x, y)) << "rock in the way at row " << y;
    // ...and where the player comes to stand, something under its feet.
    if (FloorLevel(kStage, float(p.x), level) == level) {
      EXPECT_TRUE(picture.RowUnderBoxSolid(p.x, floor + kPlayerHeight)) << "nothing to stand on at " << floor;
    }
  }
}

// Where the ceiling the game uses is the underside of the picture's rock, for a
// player standing on the floor below it. Left out, because the two differ
// there: the top border (the game lets the head reach y 4, the border's last
// row), the block hanging from it (124 against 123), the wall hanging under
// the right end of the top band's floor (243 against 251), and the open drop
// at the bottom left, which the game closes at the middle band's floor slab
// once the player has fallen into the bottom band.
const Probe kCeilings[] = {
    {75, 250, "the top band's floor over the pillar"},
    {200, 250, "the rock hanging over the first spike row"},
    {320, 250, "the rock over the first flag pole"},
    {600, 250, "the rock over the block"},
    {630, 250, "the lip over the small hole"},
    {680, 250, "the top band's floor over the raised floor"},
    {800, 250, "the top band's floor over the third spike row"},
    {50, 400, "the floor slab over the bottom left"},
    {125, 400, "the floor slab over the first post"},
    {200, 400, "the hanging wall over the spikes"},
    {270, 400, "the floor slab over the foot"},
    {270, 550, "the foot over the second post"},
    {350, 400, "the floor slab over the trough's block"},
    {370, 600, "the trough's block over the widening wall"},
    {500, 490, "the trough's bottom over the lower shelf"},
    {500, 600, "the lower shelf's leg over the first low post"},
    {540, 400, "the stub over the upper shelf"},
    {600, 400, "the floor slab over the upper shelf"},
    {600, 490, "the upper shelf over the lower shelf's spikes"},
    {660, 490, "the floor slab over the lower shelf"},
    {700, 600, "the lower shelf over the third low post"},
    {745, 490, "the top of the notch in the wall"},
    {790, 600, "the floor slab over the fourth low post"},
    {860, 550, "the top of the notch in the right pillar"},
    {900, 400, "the floor slab over the right pillar"},
    {940, 400, "the floor slab over the top left ledge"},
    {940, 600, "the lowest ledge over the bottom-right room"},
    {965, 600, "the floor slab over the gap above the door"},
};

TEST_F(PictureAndGeometry, CeilingsAreTheLastSolidRowOverThePlayer) {
  const LevelPicture& picture = Picture();
  ASSERT_TRUE(picture.Loaded());
  for (const Probe& p : kCeilings) {
    SCOPED_TRACE(std::string(p.what) + " at x " + std::to_string(p.x) + ", y " + std::to_string(p.y));
    const float floor = FloorLevel(kStage, float(p.x), float(p.y));
    const int ceiling = int(CeilingLevel(kStage, float(p.x), floor, False));
    ASSERT_LT(ceiling, int(floor) + kCrouchDrop);
    int lastSolid = -1;
    for (int y = int(floor) + kCrouchDrop - 1; y >= 0 && lastSolid < 0; --y)
      if (picture.RowUnderBoxSolid(p.x, y)) lastSolid = y;
    EXPECT_EQ(lastSolid, ceiling - 1);
  }
}

}  // namespace
