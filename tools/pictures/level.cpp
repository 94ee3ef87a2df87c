// The level picture: cream open space, grey rock with dark borders, rows of red
// spikes, the two flag poles and the tutorial notes painted on the walls.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/layout.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr int kWidth = layout::StageWidth;
constexpr int kHeight = layout::StageHeight;

// Rock, as rectangles (both ends included, border included). Shapes that are
// not rectangles are listed piece by piece, or as a rectangle with an opening.
const Area kRock[] = {
    {0, 1023, 0, 4},       // top border
    {0, 4, 0, 741},        // left border
    {1019, 1023, 0, 741},  // right border
    {0, 1023, 694, 741},   // the ground along the whole bottom, surface y 694

    // Top band.
    {614, 698, 0, 122},    // block hanging from the top border, 35 pixels above the floor
    {142, 234, 118, 157},  // low step
    {334, 426, 94, 157},   // high step
    {0, 962, 158, 178},    // the top band's floor; the shaft down is x 963 to 1018

    // Middle band.
    {118, 650, 179, 226},   // rock hanging under the top band's floor
    {630, 650, 227, 242},   // its lip, over the 35-pixel hole
    {942, 962, 179, 250},   // wall hanging under the right end of the top band's floor
    {574, 650, 278, 341},   // block under the lip
    {54, 114, 294, 378},    // pillar at the left end; left of it the drop to the bottom band
    {54, 1023, 359, 378},   // the middle band's floor slab
    {308, 395, 342, 358},   // raised floor carrying the first flag pole
    {574, 706, 342, 358},   // raised floor under the block
    {930, 1023, 342, 358},  // raised floor under the shaft

    // Bottom band.
    {214, 242, 379, 586},  // wall hanging from the floor slab...
    {214, 292, 550, 586},  // ...its foot, surface y 550...
    {293, 322, 566, 586},  // ...and the foot's lower end, surface y 566
    {534, 562, 379, 426},  // short stub hanging from the slab
    {718, 754, 379, 456},  // wall hanging from the slab...
    {718, 738, 457, 515},  // ...with a notch in its right side...
    {718, 754, 516, 557},  // ...down to the lower shelf
    {534, 650, 462, 482},  // upper shelf...
    {534, 562, 483, 522},  // ...and its post
    {358, 430, 486, 530},  // block at the left end of the spike trough
    {358, 562, 502, 522},  // bottom of the spike trough, surface y 502
    {398, 426, 531, 605},  // wall under the trough...
    {374, 426, 606, 677},  // ...wider...
    {374, 442, 678, 693},  // ...and wider again down to the ground
    {494, 754, 558, 594},  // lower shelf, carrying the second flag pole
    {494, 514, 595, 618},  // the lower shelf's leg
    {870, 928, 430, 693},  // right pillar
    {929, 958, 500, 520},  // ledges on the right pillar's right side
    {929, 958, 560, 580},
    {929, 958, 620, 640},
    {989, 1018, 500, 520},  // ledges on the right border, across a 30-pixel gap
    {989, 1018, 560, 580},
    {989, 1018, 620, 640},
    {108, 161, 630, 693},  // posts on the ground
    {254, 315, 662, 693},
    {486, 538, 678, 693},  // low posts between the spike groups
    {582, 634, 678, 693},
    {678, 730, 678, 693},
    {774, 826, 678, 693},
};

// Open space cut back out of the rock above.
const Area kOpenings[] = {
    {587, 644, 558, 573},  // the lowered part of the lower shelf, where its four spikes stand
    {870, 885, 547, 597},  // the notch in the right pillar's left side
};

// A row of spikes: the red runs from x0 to x1 on the base row, the last row of
// red, which sits just above a floor.
struct SpikeRow {
  int x0, x1, base, count;
};

const SpikeRow kSpikes[] = {
    {115, 307, 358, 13},  // middle band: between the left pillar and the first flag's raised floor
    {396, 573, 357, 12},  // between that raised floor and the block
    {707, 929, 357, 15},  // the middle band's right part
    {432, 532, 501, 7},   // the spike trough
    {294, 320, 565, 2},   // the lower end of the hanging wall's foot
    {588, 643, 573, 4},   // the lowered part of the lower shelf
    {930, 956, 499, 2},   // the ledges left of the gap
    {930, 956, 559, 2},  {930, 956, 619, 2},  {991, 1017, 499, 2},  // the ledges right of the gap
    {991, 1017, 559, 2}, {991, 1017, 619, 2}, {6, 106, 693, 7},     // on the ground, between the posts
    {163, 252, 693, 6},  {317, 372, 693, 4},  {444, 484, 693, 3},  {540, 580, 693, 3},
    {635, 676, 693, 3},  {732, 772, 693, 3},  {828, 868, 693, 3},
};

constexpr Area AreaOf(const layout::Box& b) { return {b.x, b.Right(), b.y, b.Bottom()}; }

// Each flag pole stands on its floor: the first on the raised floor at y 342,
// the second on the lower shelf at y 558.
const Area kPoles[] = {AreaOf(layout::Pole1), AreaOf(layout::Pole2)};

// The exit door draws itself here; the picture leaves it open.
const Area kDoorPlace = AreaOf({int(layout::Door.x), int(layout::Door.y), layout::Door.width, layout::Door.height});

// A painted note: the top-left corner of its lettering and its lines.
struct Note {
  int x, y;
  std::vector<std::string> lines;
};

const Note kNotes[] = {
    {113, 14, {"Use the arrow keys", "to walk and jump."}},
    {300, 14, {"Press Up again", "in mid-air to do", "a double jump."}},
    {464, 14, {"Press Down", "to crouch through", "small spaces."}},
    {713, 14, {"Press Up while crouched", "to stand up again."}},
    {657, 190, {"Crouch in mid-air", "to fit through", "this small hole."}},
    {825, 190, {"Hold Ctrl to", "run and you", "can clear all", "these spikes."}},
    {144, 237, {"Press Space to interact", "with objects like this flag."}},
    {402, 237, {"Hitting the ceiling slows", "you down, so be careful!"}},
};

constexpr int kCapitalHeight = 11;  // pixels, the height of an H
constexpr int kLineSpacing = 22;    // pixels from one baseline to the next
constexpr Rgb kInk{34, 30, 26};
constexpr int kNoteMargin = 2;  // clear cream kept around a note's lettering

constexpr int kBorderWidth = 5;

class RockMap {
 public:
  RockMap() : rock_(std::size_t(kWidth) * kHeight, false) {
    for (const Area& a : kRock) Set(a, true);
    for (const Area& a : kOpenings) Set(a, false);
  }
  // Beyond the picture's edges there is only rock.
  bool operator()(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return true;
    return rock_[std::size_t(y) * kWidth + std::size_t(x)];
  }

 private:
  void Set(const Area& a, bool value) {
    for (int y = a.y0; y <= a.y1; ++y)
      for (int x = a.x0; x <= a.x1; ++x) rock_[std::size_t(y) * kWidth + std::size_t(x)] = value;
  }
  std::vector<bool> rock_;
};

void DrawRock(Image& picture, const RockMap& rock) {
  // Open space within the border's width, spread first across, then down: a
  // rock pixel that finds open space in its 11 × 11 neighbourhood is border.
  std::vector<bool> near_across(std::size_t(kWidth) * kHeight, false);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int d = -kBorderWidth; d <= kBorderWidth && !near_across[std::size_t(y) * kWidth + std::size_t(x)]; ++d)
        if (!rock(x + d, y)) near_across[std::size_t(y) * kWidth + std::size_t(x)] = true;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (!rock(x, y)) continue;
      bool border = false;
      for (int d = -kBorderWidth; d <= kBorderWidth && !border; ++d)
        border = y + d >= 0 && y + d < kHeight && near_across[std::size_t(y + d) * kWidth + std::size_t(x)];
      picture.At(x, y) = border ? kRockBorder : kRockGrey;
    }
  // Each outward corner loses its outermost pixel.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (!rock(x, y)) continue;
      const bool open_across = !rock(x - 1, y) || !rock(x + 1, y);
      const bool open_down = !rock(x, y - 1) || !rock(x, y + 1);
      if (open_across && open_down) picture.At(x, y) = kCream;
    }
}

// One spike whose red base starts at x = left on the base row: 13 pixels of red
// at the base narrowing to one, a one-pixel black outline and a two-pixel black
// point on top, 14 rows in all; the outline closes under the base wherever open
// space is left there. Only open space is painted.
void DrawSpike(Image& picture, const RockMap& rock, int left, int base) {
  const auto paint = [&](int x, int y, Rgb c) {
    if (!rock(x, y)) picture.At(x, y) = c;
  };
  const int mid = left + 6;
  for (int k = 0; k < 12; ++k) {
    const int half = (12 - k) / 2;  // 6, 5, 5, 4, 4, ... 1, 1, 0
    const int y = base - k;
    for (int x = mid - half; x <= mid + half; ++x) paint(x, y, kSpikeRed);
    paint(mid - half - 1, y, kBlack);
    paint(mid + half + 1, y, kBlack);
  }
  paint(mid, base - 12, kBlack);
  paint(mid, base - 13, kBlack);
  for (int x = mid - 7; x <= mid + 7; ++x) paint(x, base + 1, kBlack);
}

// The spikes of a row stand every 15 pixels. Where the row's length does not
// come out at exactly 15 per spike, the spikes are spread evenly over it, so
// the row still ends where it should: the outlines between them close up to
// one pixel or open to three.
void DrawSpikeRow(Image& picture, const RockMap& rock, const SpikeRow& row) {
  const int spread = row.x1 - row.x0 + 1 - 13;
  for (int i = 0; i < row.count; ++i) {
    const int left = row.count == 1 ? row.x0 : row.x0 + (2 * i * spread + (row.count - 1)) / (2 * (row.count - 1));
    DrawSpike(picture, rock, left, row.base);
  }
}

bool AllCream(const Image& picture, const Area& a) {
  for (int y = a.y0; y <= a.y1; ++y)
    for (int x = a.x0; x <= a.x1; ++x)
      if (!picture.Inside(x, y) || !(picture.At(x, y) == kCream)) return false;
  return true;
}

std::string Describe(const Area& a) {
  return "x " + std::to_string(a.x0) + "-" + std::to_string(a.x1) + ", y " + std::to_string(a.y0) + "-" +
         std::to_string(a.y1);
}

void DrawNote(Image& picture, const Font& font, const Note& note) {
  const double scale = double(kCapitalHeight) / font.CapHeight();
  Image lettering(picture.Width(), picture.Height(), kCream);
  Area inked{note.x, note.x, note.y, note.y};
  for (std::size_t i = 0; i < note.lines.size(); ++i) {
    // The first letter's ink starts at the note's left edge; capitals stand
    // on the baseline and reach up to the note's top on the first line.
    const double pen = note.x - font.InkBox(note.lines[i].substr(0, 1)).x0 * scale;
    const int baseline = note.y + kCapitalHeight + kLineSpacing * int(i);
    const Area a = font.Draw(lettering, note.lines[i], pen, baseline, scale, scale, kInk, true);
    inked = {std::min(inked.x0, a.x0), std::max(inked.x1, a.x1), std::min(inked.y0, a.y0), std::max(inked.y1, a.y1)};
  }
  const Area room{inked.x0 - kNoteMargin, inked.x1 + kNoteMargin, inked.y0 - kNoteMargin, inked.y1 + kNoteMargin};
  if (!AllCream(picture, room))
    throw std::runtime_error("the note \"" + note.lines[0] + "...\" does not fit in open space: " + Describe(room));
  for (int y = inked.y0; y <= inked.y1; ++y)
    for (int x = inked.x0; x <= inked.x1; ++x) picture.At(x, y) = lettering.At(x, y);
}

}  // namespace

Image DrawLevel(const Font& notes) {
  Image picture(kWidth, kHeight, kCream);
  const RockMap rock;
  DrawRock(picture, rock);
  for (const SpikeRow& row : kSpikes) DrawSpikeRow(picture, rock, row);
  for (const Area& pole : kPoles) picture.Fill(pole, kBlack);
  if (!AllCream(picture, kDoorPlace)) throw std::runtime_error("the door's place is not open: " + Describe(kDoorPlace));
  for (const Note& note : kNotes) DrawNote(picture, notes, note);
  return picture;
}

}  // namespace pictures
