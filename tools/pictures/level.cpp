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
const Rect kRock[] = {
    Rect::Spanning(0, 0, 1023, 4),       // top border
    Rect::Spanning(0, 0, 4, 741),        // left border
    Rect::Spanning(1019, 0, 1023, 741),  // right border
    Rect::Spanning(0, 694, 1023, 741),   // the ground along the whole bottom, surface y 694

    // Top band.
    Rect::Spanning(614, 0, 698, 122),    // block hanging from the top border, 35 pixels above the floor
    Rect::Spanning(142, 118, 234, 157),  // low step
    Rect::Spanning(334, 94, 426, 157),   // high step
    Rect::Spanning(0, 158, 962, 178),    // the top band's floor; the shaft down is x 963 to 1018

    // Middle band.
    Rect::Spanning(118, 179, 650, 226),   // rock hanging under the top band's floor
    Rect::Spanning(630, 227, 650, 242),   // its lip, over the 35-pixel hole
    Rect::Spanning(942, 179, 962, 250),   // wall hanging under the right end of the top band's floor
    Rect::Spanning(574, 278, 650, 341),   // block under the lip
    Rect::Spanning(54, 294, 114, 378),    // pillar at the left end; left of it the drop to the bottom band
    Rect::Spanning(54, 359, 1023, 378),   // the middle band's floor slab
    Rect::Spanning(308, 342, 395, 358),   // raised floor carrying the first flag pole
    Rect::Spanning(574, 342, 706, 358),   // raised floor under the block
    Rect::Spanning(930, 342, 1023, 358),  // raised floor under the shaft

    // Bottom band.
    Rect::Spanning(214, 379, 242, 586),  // wall hanging from the floor slab...
    Rect::Spanning(214, 550, 292, 586),  // ...its foot, surface y 550...
    Rect::Spanning(293, 566, 322, 586),  // ...and the foot's lower end, surface y 566
    Rect::Spanning(534, 379, 562, 426),  // short stub hanging from the slab
    Rect::Spanning(718, 379, 754, 456),  // wall hanging from the slab...
    Rect::Spanning(718, 457, 738, 515),  // ...with a notch in its right side...
    Rect::Spanning(718, 516, 754, 557),  // ...down to the lower shelf
    Rect::Spanning(534, 462, 650, 482),  // upper shelf...
    Rect::Spanning(534, 483, 562, 522),  // ...and its post
    Rect::Spanning(358, 486, 430, 530),  // block at the left end of the spike trough
    Rect::Spanning(358, 502, 562, 522),  // bottom of the spike trough, surface y 502
    Rect::Spanning(398, 531, 426, 605),  // wall under the trough...
    Rect::Spanning(374, 606, 426, 677),  // ...wider...
    Rect::Spanning(374, 678, 442, 693),  // ...and wider again down to the ground
    Rect::Spanning(494, 558, 754, 594),  // lower shelf, carrying the second flag pole
    Rect::Spanning(494, 595, 514, 618),  // the lower shelf's leg
    Rect::Spanning(870, 430, 928, 693),  // right pillar
    Rect::Spanning(929, 500, 958, 520),  // ledges on the right pillar's right side
    Rect::Spanning(929, 560, 958, 580),
    Rect::Spanning(929, 620, 958, 640),
    Rect::Spanning(989, 500, 1018, 520),  // ledges on the right border, across a 30-pixel gap
    Rect::Spanning(989, 560, 1018, 580),
    Rect::Spanning(989, 620, 1018, 640),
    Rect::Spanning(108, 630, 161, 693),  // posts on the ground
    Rect::Spanning(254, 662, 315, 693),
    Rect::Spanning(486, 678, 538, 693),  // low posts between the spike groups
    Rect::Spanning(582, 678, 634, 693),
    Rect::Spanning(678, 678, 730, 693),
    Rect::Spanning(774, 678, 826, 693),
};

// Open space cut back out of the rock above.
const Rect kOpenings[] = {
    Rect::Spanning(587, 558, 644, 573),  // the lowered part of the lower shelf, where its four spikes stand
    Rect::Spanning(870, 547, 885, 597),  // the notch in the right pillar's left side
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

// Each flag pole stands on its floor: the first on the raised floor at y 342,
// the second on the lower shelf at y 558.
const Rect kPoles[] = {layout::Pole1, layout::Pole2};

// The exit door draws itself here; the picture leaves it open.
const Rect kDoorPlace{int(layout::Door.x), int(layout::Door.y), layout::Door.width, layout::Door.height};

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

constexpr int kCapitalHeight = kNoteCapitalHeight;
constexpr int kLineSpacing = 22;    // pixels from one baseline to the next
constexpr Rgb kInk{34, 30, 26};
constexpr int kNoteMargin = 2;  // clear cream kept around a note's lettering

constexpr int kBorderWidth = 5;

class RockMap {
 public:
  RockMap() : rock_(std::size_t(kWidth) * kHeight, false) {
    for (const Rect& a : kRock) Set(a, true);
    for (const Rect& a : kOpenings) Set(a, false);
  }
  // Beyond the picture's edges there is only rock.
  bool operator()(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return true;
    return rock_[std::size_t(y) * kWidth + std::size_t(x)];
  }

 private:
  void Set(const Rect& a, bool value) {
    for (int y = a.y; y <= a.Bottom(); ++y)
      for (int x = a.x; x <= a.Right(); ++x) rock_[std::size_t(y) * kWidth + std::size_t(x)] = value;
  }
  std::vector<bool> rock_;
};

void DrawRock(Image& picture, const RockMap& rock) {
  // Open space within the border's width, spread first across, then down: a
  // rock pixel that finds open space in its 11 × 11 neighbourhood is border.
  std::vector<bool> nearAcross(std::size_t(kWidth) * kHeight, false);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int d = -kBorderWidth; d <= kBorderWidth && !nearAcross[std::size_t(y) * kWidth + std::size_t(x)]; ++d)
        if (!rock(x + d, y)) nearAcross[std::size_t(y) * kWidth + std::size_t(x)] = true;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (!rock(x, y)) continue;
      bool border = false;
      for (int d = -kBorderWidth; d <= kBorderWidth && !border; ++d)
        border = y + d >= 0 && y + d < kHeight && nearAcross[std::size_t(y + d) * kWidth + std::size_t(x)];
      picture.At(x, y) = border ? kRockBorder : kRockGrey;
    }
  // Each outward corner loses its outermost pixel.
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (!rock(x, y)) continue;
      const bool openAcross = !rock(x - 1, y) || !rock(x + 1, y);
      const bool openDown = !rock(x, y - 1) || !rock(x, y + 1);
      if (openAcross && openDown) picture.At(x, y) = kCream;
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

bool AllCream(const Image& picture, const Rect& a) {
  for (int y = a.y; y <= a.Bottom(); ++y)
    for (int x = a.x; x <= a.Right(); ++x)
      if (!picture.Inside(x, y) || !(picture.At(x, y) == kCream)) return false;
  return true;
}

std::string Describe(const Rect& a) {
  return "x " + std::to_string(a.x) + "-" + std::to_string(a.Right()) + ", y " + std::to_string(a.y) + "-" +
         std::to_string(a.Bottom());
}

void DrawNote(Image& picture, const Font& font, const Note& note) {
  const double scale = double(kCapitalHeight) / font.CapHeight();
  Image lettering(picture.Width(), picture.Height(), kCream);
  Rect inked{note.x, note.y, 1, 1};
  for (std::size_t i = 0; i < note.lines.size(); ++i) {
    // The first letter's ink starts at the note's left edge; capitals stand
    // on the baseline and reach up to the note's top on the first line.
    const double pen = note.x - font.InkBox(note.lines[i].substr(0, 1)).x0 * scale;
    const int baseline = note.y + kCapitalHeight + kLineSpacing * int(i);
    inked = Union(inked, font.Draw(lettering, note.lines[i], pen, baseline, scale, scale, kInk, true));
  }
  const Rect room = inked.Grown(kNoteMargin);
  if (!AllCream(picture, room))
    throw std::runtime_error("the note \"" + note.lines[0] + "...\" does not fit in open space: " + Describe(room));
  for (int y = inked.y; y <= inked.Bottom(); ++y)
    for (int x = inked.x; x <= inked.Right(); ++x) picture.At(x, y) = lettering.At(x, y);
}

}  // namespace

Image DrawLevel(const Font& notes) {
  Image picture(kWidth, kHeight, kCream);
  const RockMap rock;
  DrawRock(picture, rock);
  for (const SpikeRow& row : kSpikes) DrawSpikeRow(picture, rock, row);
  for (const Rect& pole : kPoles) picture.Fill(pole, kBlack);
  if (!AllCream(picture, kDoorPlace)) throw std::runtime_error("the door's place is not open: " + Describe(kDoorPlace));
  for (const Note& note : kNotes) DrawNote(picture, notes, note);
  return picture;
}

}  // namespace pictures
