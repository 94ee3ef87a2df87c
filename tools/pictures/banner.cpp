// The pause banner: PAUSED in red capitals filling the whole picture.
#include <cmath>

#include "pictures.h"

namespace pictures {
namespace {

constexpr int kWidth = 531;
constexpr int kHeight = 95;
const char* const kWord = "PAUSED";

}  // namespace

Image DrawBanner(const Font& capitals) {
  Image picture(kWidth, kHeight, kCream);
  // The word is stretched to the picture: its ink runs from the left edge to
  // the right one, and the capitals' flat tops and bottoms lie on the top and
  // bottom edges (the round letters' overshoot is cut off there).
  const Font::Box box = capitals.InkBox(kWord);
  const double scale_x = double(kWidth) / (box.x1 - box.x0);
  const double scale_y = double(kHeight) / capitals.CapHeight();
  capitals.Draw(picture, kWord, -box.x0 * scale_x, kHeight, scale_x, scale_y, kBannerRed);
  return picture;
}

}  // namespace pictures
