// The pause banner: PAUSED in red capitals filling the whole picture.
#include <cmath>

#include "core/layout.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr int kWidth = layout::Banner.w;
constexpr int kHeight = layout::Banner.h;
const char* const kWord = "PAUSED";

}  // namespace

Image DrawBanner(const Font& capitals) {
  Image picture(kWidth, kHeight, kCream);
  // The word is stretched to the picture: the capitals' flat tops and bottoms
  // lie on the top and bottom edges and the P's stem on the left edge. Round
  // strokes reach a little past the edges (the D's bowl by one pixel, the
  // overshoot of S and U by about as much), so they too touch the edges in
  // full colour.
  constexpr double kBowlPastEdge = 1.0;
  const Font::Extent box = capitals.InkBox(kWord);
  const double scaleX = (kWidth + kBowlPastEdge) / (box.x1 - box.x0);
  const double scaleY = double(kHeight) / capitals.CapHeight();
  capitals.Draw(picture, kWord, -box.x0 * scaleX, kHeight, scaleX, scaleY, kBannerRed);
  return picture;
}

}  // namespace pictures
