// The continue flag: a pennant 20 × 13 pointing right, its mask in the upper
// half of the picture and its striped colours in the lower half.
#include "core/layout.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr int kLength = 20;
constexpr int kHeight = layout::FlagSpriteRow;  // the mask above, the colours below

// The pennant is the triangle with its base on the left edge and its point in
// the middle of the right edge; a pixel belongs to it when its centre does.
bool InPennant(int x, int y) {
  const double cx = x + 0.5, cy = y + 0.5;
  const double half = 0.5 * kHeight * (kLength - cx) / kLength;
  return cy >= 0.5 * kHeight - half && cy <= 0.5 * kHeight + half;
}

// Diagonal stripes three pixels wide, navy, blue, sky blue, cyan, again.
constexpr Rgb kStripes[] = {{0, 0, 128}, {0, 0, 255}, {0, 128, 255}, {0, 255, 255}};

}  // namespace

Image DrawFlag() {
  Image picture(kLength, 2 * kHeight, kBlack);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kLength; ++x) {
      const bool in = InPennant(x, y);
      picture.At(x, y) = in ? kBlack : kWhite;
      picture.At(x, kHeight + y) = in ? kStripes[((x + y) / 3) % 4] : kBlack;
    }
  return picture;
}

}  // namespace pictures
