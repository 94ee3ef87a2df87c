// The seven pictures as they are kept in assets/ and compiled into the game:
// their sizes, the exact colours the mask-and-sprite blits depend on, the
// player sheets' grids, and the level's rock, spikes, poles, notes and the
// door's place where the level's layout puts them.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/layout.h"

namespace {

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kCream{236, 233, 216};
constexpr Rgb kRockGrey{128, 128, 128};
constexpr Rgb kRockBorder{56, 56, 56};
constexpr Rgb kSpikeRed{193, 0, 0};
constexpr Rgb kRed{255, 0, 0};

class Picture {
 public:
  explicit Picture(const std::string& name) {
    const std::string path = std::string(PLINKARD_SOURCE_DIR) + "/assets/" + name;
    stbi_uc* data = stbi_load(path.c_str(), &width_, &height_, &channels_, 3);
    if (data == nullptr) {
      ADD_FAILURE() << path << " does not load: " << stbi_failure_reason();
      return;
    }
    pixels_.assign(data, data + std::size_t(width_) * std::size_t(height_) * 3);
    stbi_image_free(data);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ChannelsInFile() const { return channels_; }
  bool Loaded() const { return !pixels_.empty(); }
  Rgb At(int x, int y) const {
    const std::size_t i = (std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 3;
    return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
  }

 private:
  int width_ = 0, height_ = 0, channels_ = 0;
  std::vector<unsigned char> pixels_;
};

// Loads each picture once for the whole test program.
const Picture& Load(const std::string& name) {
  static std::map<std::string, Picture> loaded;
  auto it = loaded.find(name);
  if (it == loaded.end()) it = loaded.emplace(name, Picture(name)).first;
  return it->second;
}

TEST(Pictures, EachHasItsSizeAndIsPlainRgb) {
  const struct {
    const char* name;
    int width, height;
  } expected[] = {{"background.png", 1024, 742}, {"maskmap.png", 127, 49}, {"spritemap.png", 127, 49},
                  {"flagpic.png", 20, 26},       {"doorpic.png", 112, 56}, {"pausedpic.png", 531, 95},
                  {"measure.png", 20, 47}};
  for (const auto& e : expected) {
    const Picture& p = Load(e.name);
    ASSERT_TRUE(p.Loaded()) << e.name;
    EXPECT_EQ(p.Width(), e.width) << e.name;
    EXPECT_EQ(p.Height(), e.height) << e.name;
    EXPECT_EQ(p.ChannelsInFile(), 3) << e.name << " should be RGB without alpha";
  }
}

// ---------------------------------------------------------------------------
// The player's sheets: six cells of 20 × 47 between one-pixel grid lines.

constexpr int kCells = layout::SheetFrames;
constexpr int kCellWidth = layout::PlayerWidth, kCellHeight = layout::PlayerHeight;
int CellLeft(int k) { return layout::CellX(k); }
bool OnGridLine(int x, int y) { return x % layout::SheetPitch == 0 || y == 0 || y == layout::SheetHeight - 1; }

TEST(PlayerSheets, GridLinesLieOnTheListedRowsAndColumnsOnly) {
  const Picture& mask = Load("maskmap.png");
  const Picture& sprite = Load("spritemap.png");
  ASSERT_TRUE(mask.Loaded() && sprite.Loaded());
  for (int y = 0; y < 49; ++y)
    for (int x = 0; x < 127; ++x) {
      if (OnGridLine(x, y)) {
        ASSERT_EQ(mask.At(x, y), kYellow) << "mask grid at " << x << ", " << y;
        ASSERT_EQ(sprite.At(x, y), kWhite) << "sprite grid at " << x << ", " << y;
      } else {
        ASSERT_NE(mask.At(x, y), kYellow) << "grid colour inside a mask cell at " << x << ", " << y;
        ASSERT_NE(sprite.At(x, y), kWhite) << "grid colour inside a sprite cell at " << x << ", " << y;
      }
    }
}

TEST(PlayerSheets, MasksArePureBlackOnPureWhiteAndSpritesOnPureBlack) {
  const Picture& mask = Load("maskmap.png");
  const Picture& sprite = Load("spritemap.png");
  ASSERT_TRUE(mask.Loaded() && sprite.Loaded());
  for (int k = 0; k < kCells; ++k)
    for (int y = 1; y <= kCellHeight; ++y)
      for (int x = CellLeft(k); x < CellLeft(k) + kCellWidth; ++x) {
        const Rgb m = mask.At(x, y);
        ASSERT_TRUE(m == kBlack || m == kWhite) << "mask " << m << " at " << x << ", " << y;
        // Where the mask leaves the background, the sprite must add nothing.
        if (m == kWhite) {
          ASSERT_EQ(sprite.At(x, y), kBlack) << "sprite shows through at " << x << ", " << y;
        }
      }
}

TEST(PlayerSheets, EveryColouredPixelHasTheMasksOutlineAllRound) {
  const Picture& mask = Load("maskmap.png");
  const Picture& sprite = Load("spritemap.png");
  ASSERT_TRUE(mask.Loaded() && sprite.Loaded());
  for (int k = 0; k < kCells; ++k) {
    const int left = CellLeft(k);
    int coloured = 0;
    for (int y = 1; y <= kCellHeight; ++y)
      for (int x = left; x < left + kCellWidth; ++x) {
        if (sprite.At(x, y) == kBlack) continue;
        ++coloured;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            ASSERT_TRUE(nx >= left && nx < left + kCellWidth && ny >= 1 && ny <= kCellHeight)
                << "frame " << k << ": coloured pixel " << x << ", " << y << " leaves no room for its outline";
            ASSERT_EQ(mask.At(nx, ny), kBlack) << "frame " << k << ": coloured pixel " << x << ", " << y
                                               << " is not surrounded by mask at " << nx << ", " << ny;
          }
      }
    EXPECT_GT(coloured, 150) << "frame " << k << " is nearly empty";
  }
}

TEST(PlayerSheets, StandingFiguresFillTheCellAndCrouchingOnesItsLowerPart) {
  const Picture& mask = Load("maskmap.png");
  const Picture& sprite = Load("spritemap.png");
  ASSERT_TRUE(mask.Loaded() && sprite.Loaded());
  const auto rowHasFigure = [&](int k, int y) {
    for (int x = CellLeft(k); x < CellLeft(k) + kCellWidth; ++x)
      if (mask.At(x, y) == kBlack) return true;
    return false;
  };
  for (int k = 0; k < kCells; ++k) {
    const bool crouching = k >= 3;
    const int top = crouching ? 17 : 1;
    EXPECT_TRUE(rowHasFigure(k, top)) << "frame " << k << " should reach up to row " << top;
    EXPECT_TRUE(rowHasFigure(k, kCellHeight)) << "frame " << k << " should reach down to row 47";
    for (int y = 1; y < top; ++y) {
      EXPECT_FALSE(rowHasFigure(k, y)) << "crouching frame " << k << " reaches up into row " << y;
      for (int x = CellLeft(k); x < CellLeft(k) + kCellWidth; ++x) ASSERT_EQ(sprite.At(x, y), kBlack);
    }
  }
}

TEST(PlayerSheets, FacingLeftIsFacingRightMirroredAndEveryFrameWearsTheClothes) {
  const Picture& mask = Load("maskmap.png");
  const Picture& sprite = Load("spritemap.png");
  ASSERT_TRUE(mask.Loaded() && sprite.Loaded());
  for (const auto& [leftFrame, rightFrame] : {std::pair{0, 2}, std::pair{3, 5}})
    for (int y = 1; y <= kCellHeight; ++y)
      for (int i = 0; i < kCellWidth; ++i) {
        const int a = CellLeft(leftFrame) + i, b = CellLeft(rightFrame) + kCellWidth - 1 - i;
        ASSERT_EQ(mask.At(a, y), mask.At(b, y)) << "frames " << leftFrame << " and " << rightFrame << ", row " << y;
        ASSERT_EQ(sprite.At(a, y), sprite.At(b, y)) << "frames " << leftFrame << " and " << rightFrame << ", row " << y;
      }
  const Rgb skin{248, 192, 156}, shirt{128, 64, 0}, trousers{0, 0, 176};
  for (int k = 0; k < kCells; ++k) {
    int counts[3] = {0, 0, 0};
    for (int y = 1; y <= kCellHeight; ++y)
      for (int x = CellLeft(k); x < CellLeft(k) + kCellWidth; ++x) {
        const Rgb c = sprite.At(x, y);
        counts[0] += c == skin;
        counts[1] += c == shirt;
        counts[2] += c == trousers;
      }
    EXPECT_GT(counts[0], 10) << "frame " << k << ": skin";
    EXPECT_GT(counts[1], 40) << "frame " << k << ": shirt";
    EXPECT_GT(counts[2], 30) << "frame " << k << ": trousers";
  }
}

// ---------------------------------------------------------------------------
// The flag: the mask in rows 0 to 12, the sprite in rows 13 to 25.

TEST(FlagPicture, PennantPointsRightAndItsStripesFillTheMaskExactly) {
  const Picture& flag = Load("flagpic.png");
  ASSERT_TRUE(flag.Loaded());
  const Rgb stripes[] = {{0, 0, 128}, {0, 0, 255}, {0, 128, 255}, {0, 255, 255}};
  bool used[4] = {false, false, false, false};
  int previousHeight = 14;
  for (int x = 0; x < 20; ++x) {
    int height = 0;
    for (int y = 0; y < 13; ++y) {
      const Rgb m = flag.At(x, y), s = flag.At(x, 13 + y);
      ASSERT_TRUE(m == kBlack || m == kWhite) << "mask at " << x << ", " << y;
      if (m == kWhite) {
        ASSERT_EQ(s, kBlack) << "sprite outside the pennant at " << x << ", " << 13 + y;
        continue;
      }
      ++height;
      // The pennant is centred on row 6.
      ASSERT_EQ(flag.At(x, 12 - y), kBlack) << "pennant not symmetric at " << x << ", " << y;
      const auto* stripe = std::find(std::begin(stripes), std::end(stripes), s);
      ASSERT_NE(stripe, std::end(stripes)) << "sprite colour " << s << " at " << x << ", " << 13 + y;
      used[stripe - std::begin(stripes)] = true;
    }
    EXPECT_LE(height, previousHeight) << "the pennant widens at column " << x;
    previousHeight = height;
    if (x == 0) {
      EXPECT_EQ(height, 13) << "the base fills the left edge";
    }
  }
  EXPECT_EQ(flag.At(19, 6), kBlack) << "the point reaches the right edge";
  EXPECT_EQ(previousHeight, 1);
  for (bool u : used) EXPECT_TRUE(u) << "all four blues are used";
}

// ---------------------------------------------------------------------------
// The door: four cells 28 pixels wide.

TEST(DoorPicture, BothMasksAreEntirelyBlack) {
  const Picture& door = Load("doorpic.png");
  ASSERT_TRUE(door.Loaded());
  for (int cell : {0, 2})
    for (int y = 0; y < 56; ++y)
      for (int x = 28 * cell; x < 28 * cell + 28; ++x) ASSERT_EQ(door.At(x, y), kBlack) << x << ", " << y;
}

TEST(DoorPicture, ClosedDoorHasFourPanelsRoundARailWithTheKnobOnTheRight) {
  const Picture& door = Load("doorpic.png");
  ASSERT_TRUE(door.Loaded());
  const Rgb wood{128, 64, 0}, panel{128, 0, 0};
  const auto count = [&](int x0, int x1, int y0, int y1, Rgb c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) n += door.At(28 + x, y) == c;
    return n;
  };
  EXPECT_GT(count(0, 13, 0, 24, panel), 60) << "upper left panel";
  EXPECT_GT(count(14, 27, 0, 24, panel), 60) << "upper right panel";
  EXPECT_GT(count(0, 13, 30, 54, panel), 60) << "lower left panel";
  EXPECT_GT(count(14, 27, 30, 54, panel), 60) << "lower right panel";
  EXPECT_EQ(count(0, 27, 27, 27, panel), 0) << "the rail at mid-height crosses the whole leaf";
  EXPECT_GT(count(0, 27, 27, 27, wood), 15);
  const int knob = count(0, 27, 0, 55, kBlack);
  EXPECT_GT(knob, 0);
  EXPECT_EQ(count(18, 27, 24, 30, kBlack), knob) << "the knob is the door's only black, on the rail near the right";
}

TEST(DoorPicture, OpenDoorIsASlantedLeafWithTheGreensAroundIt) {
  const Picture& door = Load("doorpic.png");
  ASSERT_TRUE(door.Loaded());
  const Rgb darkGreen{0, 74, 0}, brightGreen{0, 128, 0}, panel{128, 0, 0};
  const auto at = [&](int x, int y) { return door.At(84 + x, y); };
  EXPECT_EQ(at(0, 0), darkGreen) << "above the leaf's hinge edge";
  EXPECT_EQ(at(0, 8), darkGreen);
  EXPECT_NE(at(0, 14), darkGreen) << "the leaf starts at about row 11 on the left";
  EXPECT_NE(at(0, 54), darkGreen) << "and reaches the bottom left corner";
  EXPECT_NE(at(20, 2), darkGreen) << "it rises to the top near the right";
  EXPECT_EQ(at(20, 54), darkGreen) << "below the leaf on the right";
  for (int y = 0; y < 56; ++y) EXPECT_EQ(at(27, y), brightGreen) << "the strip along the right edge, row " << y;
  EXPECT_EQ(at(24, 0), kBlack) << "a black line between the greens above the leaf";
  EXPECT_EQ(at(24, 55), kBlack) << "and below it";
  int panels = 0;
  for (int y = 0; y < 56; ++y)
    for (int x = 0; x < 28; ++x) panels += at(x, y) == panel;
  EXPECT_GT(panels, 200) << "the leaf keeps its panels";
}

// ---------------------------------------------------------------------------

TEST(PauseBanner, RedCapitalsOnCreamTouchAllFourEdges) {
  const Picture& banner = Load("pausedpic.png");
  ASSERT_TRUE(banner.Loaded());
  const int w = banner.Width(), h = banner.Height();
  int top = 0, bottom = 0, left = 0, right = 0;
  for (int x = 0; x < w; ++x) top += banner.At(x, 0) == kRed, bottom += banner.At(x, h - 1) == kRed;
  for (int y = 0; y < h; ++y) left += banner.At(0, y) == kRed, right += banner.At(w - 1, y) == kRed;
  EXPECT_GT(top, 0);
  EXPECT_GT(bottom, 0);
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
  EXPECT_EQ(banner.At(w / 2, 0), kCream) << "cream between the letters";
  // Every pixel is cream, red, or a mixture of the two at a letter's edge.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = banner.At(x, y);
      ASSERT_TRUE(c.r >= kCream.r && c.g <= kCream.g && c.b <= kCream.b && std::abs(c.g * 216 - c.b * 233) <= 233 * 2)
          << c << " at " << x << ", " << y;
    }
}

// ---------------------------------------------------------------------------
// The level picture, checked against the level's own layout, written out here
// a second time.

struct Spikes {
  int x0, x1, base, count;
};
const Spikes kSpikeRows[] = {
    {115, 307, 358, 13}, {396, 573, 357, 12}, {707, 929, 357, 15}, {432, 532, 501, 7}, {294, 320, 565, 2},
    {588, 643, 573, 4},  {930, 956, 499, 2},  {930, 956, 559, 2},  {930, 956, 619, 2}, {991, 1017, 499, 2},
    {991, 1017, 559, 2}, {991, 1017, 619, 2}, {6, 106, 693, 7},    {163, 252, 693, 6}, {317, 372, 693, 4},
    {444, 484, 693, 3},  {540, 580, 693, 3},  {635, 676, 693, 3},  {732, 772, 693, 3}, {828, 868, 693, 3},
};
const platform::Rect kPoles[] = {layout::Pole1, layout::Pole2};

// A note: the top-left corner of its lettering, its number of lines, and how
// far right its lettering may reach before the next note or the rock.
struct NoteAt {
  int x, y, lines, right;
};
const NoteAt kNotes[] = {{113, 14, 2, 290},  {300, 14, 3, 455},  {464, 14, 3, 611},  {713, 14, 2, 1016},
                         {657, 190, 3, 815}, {825, 190, 4, 939}, {144, 237, 2, 346}, {402, 237, 2, 627}};

constexpr int kW = layout::StageWidth, kH = layout::StageHeight;

bool IsGrey(Rgb c) { return c == kRockGrey || c == kRockBorder; }

// Rock is grey with a dark border five pixels wide along open space, and each
// outward corner loses its outermost pixel to the open space.
TEST(LevelPicture, RockIsGreyWithADarkBorderAndCutCorners) {
  const Picture& level = Load("background.png");
  ASSERT_TRUE(level.Loaded());
  const struct {
    int x, y;
    Rgb colour;
    const char* what;
  } samples[] = {
      {0, 0, kRockBorder, "the picture's corner: rock beyond it, open space five pixels in"},
      {2, 300, kRockBorder, "the left border"},
      {500, 168, kRockGrey, "the middle of the top band's floor"},
      {500, 160, kRockBorder, "the top band's floor, three pixels under its surface"},
      {142, 118, kCream, "the low step's top-left corner, cut"},
      {143, 118, kRockBorder, "beside that corner"},
      {188, 140, kRockGrey, "inside the low step"},
      {614, 122, kCream, "the hanging block's bottom-left corner, cut"},
      {656, 60, kRockGrey, "inside the hanging block"},
      {656, 120, kRockBorder, "the hanging block's underside"},
      {962, 158, kCream, "the top band floor's end at the shaft, cut"},
      {962, 165, kRockBorder, "the face of the shaft"},
      {990, 170, kCream, "the shaft"},
      {640, 260, kCream, "the small hole under the lip"},
      {650, 242, kCream, "the lip's bottom-right corner, cut"},
      {700, 370, kRockGrey, "inside the middle band's floor slab"},
      {700, 376, kRockBorder, "the slab's underside"},
      {877, 570, kCream, "the notch in the right pillar"},
      {900, 650, kRockGrey, "inside the right pillar"},
      {928, 650, kRockBorder, "the right pillar's right face"},
      {958, 500, kCream, "a ledge's top-right corner, cut"},
      {500, 720, kRockGrey, "the ground under a low post"},
      {100, 696, kRockBorder, "the ground under the spikes"},
      {250, 130, kCream, "open space in the top band"},
  };
  for (const auto& s : samples) EXPECT_EQ(level.At(s.x, s.y), s.colour) << s.what << " at " << s.x << ", " << s.y;
}

TEST(LevelPicture, SpikeRowsStandWhereTheLayoutPutsThem) {
  const Picture& level = Load("background.png");
  ASSERT_TRUE(level.Loaded());
  int redInRows = 0;
  for (const Spikes& row : kSpikeRows) {
    SCOPED_TRACE("spike row x " + std::to_string(row.x0) + "-" + std::to_string(row.x1) + ", base " +
                 std::to_string(row.base));
    const int base = row.base;
    // The base row: `count` runs of 13 red pixels, from x0 to x1 exactly.
    std::vector<std::pair<int, int>> runs;
    for (int x = row.x0 - 1; x <= row.x1 + 1; ++x) {
      if (!(level.At(x, base) == kSpikeRed)) continue;
      if (runs.empty() || runs.back().second != x - 1)
        runs.emplace_back(x, x);
      else
        runs.back().second = x;
    }
    ASSERT_EQ(runs.size(), std::size_t(row.count));
    EXPECT_EQ(runs.front().first, row.x0);
    EXPECT_EQ(runs.back().second, row.x1);
    for (const auto& [first, last] : runs) {
      EXPECT_EQ(last - first + 1, 13) << "spike at " << first;
      const int mid = first + 6;
      // A 14-pixel spike: red up to the row under the two-pixel black point,
      // cream above it, and black outline beside the red.
      EXPECT_EQ(level.At(mid, base - 11), kSpikeRed) << "spike at " << first;
      EXPECT_EQ(level.At(mid, base - 12), kBlack) << "spike at " << first;
      EXPECT_EQ(level.At(mid, base - 13), kBlack) << "spike at " << first;
      EXPECT_EQ(level.At(mid, base - 14), kCream) << "spike at " << first;
      EXPECT_EQ(level.At(mid - 1, base - 11), kBlack) << "spike at " << first;
      EXPECT_EQ(level.At(mid + 1, base - 11), kBlack) << "spike at " << first;
      EXPECT_EQ(level.At(mid - 3, base - 13), kCream) << "spike at " << first;
      for (int x = first - 1; x <= last + 1; x += last - first + 2) {
        const Rgb side = level.At(x, base);
        EXPECT_TRUE(side == kBlack || IsGrey(side)) << "beside the base at " << x << ": " << side;
      }
    }
    // Below the base: the floor, or the outline closing the spikes off.
    for (int x = row.x0; x <= row.x1; ++x) {
      const Rgb under = level.At(x, base + 1);
      EXPECT_TRUE(under == kBlack || IsGrey(under)) << "under the base at " << x;
    }
    for (int y = base - 13; y <= base; ++y)
      for (int x = row.x0; x <= row.x1; ++x) redInRows += level.At(x, y) == kSpikeRed;
  }
  int red = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) red += level.At(x, y) == kSpikeRed;
  EXPECT_EQ(red, redInRows) << "spike red outside the spike rows";
}

TEST(LevelPicture, FlagPolesAreSolidBlackAndStandOnTheirFloors) {
  const Picture& level = Load("background.png");
  ASSERT_TRUE(level.Loaded());
  for (const platform::Rect& pole : kPoles) {
    for (int y = pole.y; y <= pole.Bottom(); ++y) {
      for (int x = pole.x; x <= pole.Right(); ++x) ASSERT_EQ(level.At(x, y), kBlack) << x << ", " << y;
      EXPECT_EQ(level.At(pole.x - 1, y), kCream) << "left of the pole at " << y;
      EXPECT_EQ(level.At(pole.Right() + 1, y), kCream) << "right of the pole at " << y;
    }
    for (int x = pole.x; x <= pole.Right(); ++x) {
      EXPECT_EQ(level.At(x, pole.y - 1), kCream) << "above the pole at " << x;
      EXPECT_EQ(level.At(x, pole.Bottom() + 1), kRockBorder) << "the pole's floor at " << x;
    }
  }
}

TEST(LevelPicture, TheDoorsPlaceIsLeftOpenOnItsFloor) {
  const Picture& level = Load("background.png");
  ASSERT_TRUE(level.Loaded());
  constexpr layout::ObjectPlace door = layout::Door;
  const int left = int(door.x), top = int(door.y), right = left + door.width - 1, floor = top + door.height;
  for (int y = top; y < floor; ++y)
    for (int x = left; x <= right; ++x) ASSERT_EQ(level.At(x, y), kCream) << x << ", " << y;
  for (int x = left; x <= right; ++x) EXPECT_EQ(level.At(x, floor), kRockBorder) << x;
}

// Lettering is whatever is neither open space nor rock, spike or pole.
bool IsLettering(Rgb c) { return !(c == kCream || IsGrey(c) || c == kSpikeRed || c == kBlack); }
bool IsDarkLettering(Rgb c) { return IsLettering(c) && c.r + c.g + c.b < 300; }

TEST(LevelPicture, NotesStandInOpenSpaceAtTheirCornersWithTheirLines) {
  const Picture& level = Load("background.png");
  ASSERT_TRUE(level.Loaded());
  const auto boxOf = [](const NoteAt& n) {
    return platform::Rect::Spanning(n.x - 3, n.y - 3, n.right, n.y + 22 * n.lines + 4);
  };
  for (const NoteAt& note : kNotes) {
    SCOPED_TRACE("note at " + std::to_string(note.x) + ", " + std::to_string(note.y));
    const platform::Rect box = boxOf(note);
    platform::Rect ink{};
    std::vector<bool> rowHasInk(std::size_t(box.h), false);
    for (int y = box.y; y <= box.Bottom(); ++y)
      for (int x = box.x; x <= box.Right(); ++x) {
        if (!IsLettering(level.At(x, y))) continue;
        ink = Union(ink, {x, y, 1, 1});
        rowHasInk[std::size_t(y - box.y)] = true;
        // Clear of rock, spikes and poles by at least two pixels.
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx) {
            const Rgb near = level.At(x + dx, y + dy);
            ASSERT_FALSE(IsGrey(near) || near == kSpikeRed || near == kBlack)
                << "lettering at " << x << ", " << y << " touches the level";
          }
      }
    EXPECT_EQ(ink.x, note.x) << "left edge of the lettering";
    EXPECT_GE(ink.y, note.y - 1) << "top of the lettering";
    EXPECT_LE(ink.y, note.y) << "top of the lettering";
    // The first letter is a capital about 11 pixels high.
    int capTop = kH, capBottom = -1;
    for (int y = note.y - 2; y <= note.y + 14; ++y)
      for (int x = note.x; x <= note.x + 5; ++x)
        if (IsDarkLettering(level.At(x, y))) capTop = std::min(capTop, y), capBottom = std::max(capBottom, y);
    EXPECT_NEAR(capBottom - capTop + 1, 11, 1) << "height of the first capital";
    // Bands of inked rows, one per line, 22 pixels apart.
    int bands = 0;
    for (std::size_t i = 0; i < rowHasInk.size(); ++i)
      if (rowHasInk[i] && (i == 0 || !rowHasInk[i - 1])) ++bands;
    EXPECT_EQ(bands, note.lines);
    for (int line = 0; line < note.lines; ++line) {
      bool xHeightInked = false;
      for (int x = box.x; x <= box.Right() && !xHeightInked; ++x)
        xHeightInked = IsDarkLettering(level.At(x, note.y + 22 * line + 7));
      EXPECT_TRUE(xHeightInked) << "line " << line;
    }
  }
  // And there is no lettering anywhere else.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (!IsLettering(level.At(x, y))) continue;
      const bool inANote =
          std::any_of(std::begin(kNotes), std::end(kNotes), [&](const NoteAt& n) { return boxOf(n).Contains(x, y); });
      ASSERT_TRUE(inANote) << "stray colour " << level.At(x, y) << " at " << x << ", " << y;
    }
}

}  // namespace
