#include "platform/presentation.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/desktop_view.h"

using platform::BitBlt;
using platform::CopyMagnified;
using platform::Pixel;
using platform::Placement;
using platform::PlacePicture;
using platform::Rect;
using platform::Surface;

namespace {

constexpr Pixel kGrey = platform::RGB(24, 24, 28), kBlack = 0;

TEST(PlacePicture, WithoutScalingThePictureStaysAtTheTopLeftOrShrinksThere) {
  EXPECT_EQ(PlacePicture(1024, 742, 2560, 1600, std::nullopt), (Placement{{0, 0, 1024, 742}, 1, kGrey}));
  EXPECT_EQ(PlacePicture(1024, 742, 1024, 742, std::nullopt), (Placement{{0, 0, 1024, 742}, 1, kGrey}));
  // Half as wide as the picture and tall enough: shrunk by half, still at the top left.
  EXPECT_EQ(PlacePicture(1024, 742, 512, 700, std::nullopt), (Placement{{0, 0, 512, 371}, 0, kGrey}));
}

TEST(PlacePicture, ScaledTheLargestWholeFactorThatFitsIsCentredOnBlack) {
  EXPECT_EQ(PlacePicture(1024, 742, 1280, 1024, platform::kScaleToFit), (Placement{{128, 141, 1024, 742}, 1, kBlack}));
  EXPECT_EQ(PlacePicture(1024, 742, 2560, 1600, platform::kScaleToFit), (Placement{{256, 58, 2048, 1484}, 2, kBlack}));
  // 3840 × 2160: three times as wide would fit, but only twice as tall.
  EXPECT_EQ(PlacePicture(1024, 742, 3840, 2160, platform::kScaleToFit), (Placement{{896, 338, 2048, 1484}, 2, kBlack}));
  EXPECT_EQ(PlacePicture(1024, 742, 3200, 2400, 2), (Placement{{576, 458, 2048, 1484}, 2, kBlack}));
  // Smaller than the picture: shrunk to fit and centred.
  EXPECT_EQ(PlacePicture(1024, 742, 800, 600, platform::kScaleToFit), (Placement{{0, 10, 800, 579}, 0, kBlack}));
  // A client area with no room at all still gets a pixel, never a division by zero.
  EXPECT_EQ(PlacePicture(1024, 742, 0, 0, 1).picture.w, 1);
  EXPECT_EQ(PlacePicture(0, 0, 800, 600, 1).picture.w, 0);
}

// The desktop window: without --scale a window keeps the picture 1:1 at the
// top left and fullscreen fills the screen as far as whole factors go; the
// --scale is the largest factor either way.
TEST(DesktopView, FullscreenAndTheScaleDecideTheLargestFactor) {
  using platform::DesktopView;
  const auto place = [](const DesktopView& view) { return view.Place(1024, 742, 3200, 2400); };
  const Placement plain{{0, 0, 1024, 742}, 1, kGrey}, twice{{576, 458, 2048, 1484}, 2, kBlack},
      fills{{64, 87, 3072, 2226}, 3, kBlack};
  EXPECT_EQ(place(DesktopView()), plain);
  EXPECT_EQ(place(DesktopView({.scale = 2})), twice);
  EXPECT_EQ(place(DesktopView({.fullscreen = true, .scale = 2})), twice);

  // Started fullscreen, switched to a window and back.
  DesktopView view({.fullscreen = true, .scale = std::nullopt});
  EXPECT_EQ(place(view), fills);
  view.Shown(true);
  EXPECT_FALSE(view.ShownWindowed());
  view.Shown(false);
  EXPECT_EQ(place(view), plain);
  EXPECT_TRUE(view.ShownWindowed());
  view.Shown(true);
  EXPECT_EQ(place(view), fills);
  EXPECT_TRUE(view.ShownWindowed());
}

// The colour around the picture covers the client area but the picture,
// each pixel once.
TEST(AroundPicture, CoversTheRestOfTheClientAreaOnce) {
  const int width = 50, height = 40;
  for (const Rect& picture : {Rect{0, 0, 20, 10}, Rect{15, 15, 20, 10}, Rect{30, 30, 20, 10}, Rect{0, 0, 50, 40}}) {
    std::vector<int> covered(std::size_t(width * height), 0);
    for (int y = picture.y; y < picture.y + picture.h; ++y)
      for (int x = picture.x; x < picture.x + picture.w; ++x) ++covered[std::size_t(y * width + x)];
    for (const Rect& r : platform::AroundPicture({picture, 1, kBlack}, width, height))
      for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) ++covered[std::size_t(y * width + x)];
    EXPECT_EQ(covered, std::vector<int>(covered.size(), 1)) << picture.x << ", " << picture.y;
  }
}

// Nearest neighbour by the definition: client pixel (x, y) shows picture
// pixel ((x - ox) / f, (y - oy) / f).
std::vector<Pixel> MagnifyByDefinition(const Surface& picture, int factor, int width, int height, int ox, int oy,
                                       Pixel fill) {
  std::vector<Pixel> client(std::size_t(width * height), fill);
  for (int y = oy; y < oy + picture.Height() * factor; ++y)
    for (int x = ox; x < ox + picture.Width() * factor; ++x)
      client[std::size_t(y * width + x)] = picture.At((x - ox) / factor, (y - oy) / factor);
  return client;
}

// Frames of play: pieces of a sprite sheet blitted here and there, and the
// level copied back over the last frame, as the game draws. Magnifying only
// what changed, frame after frame, must give exactly the whole last picture
// magnified.
TEST(CopyMagnified, TheChangedPartsOfEveryFrameAddUpToTheWholePictureMagnified) {
  std::mt19937 random(12);
  Surface level(97, 61), sheet(40, 30);
  for (Surface* s : {&level, &sheet})
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) s->At(x, y) = Pixel(random());

  for (const int factor : {1, 2, 3, 5}) {
    SCOPED_TRACE(factor);
    Surface picture(97, 61);
    const int width = 97 * factor + 13, height = 61 * factor + 8, ox = 6, oy = 3;
    std::vector<Pixel> client(std::size_t(width * height), kBlack);
    const platform::PixelRows rows{client.data(), std::size_t(width)};
    for (int frame = 0; frame < 40; ++frame) {
      BitBlt(picture.hDC(), 0, 0, 97, 61, level.hDC(), 0, 0, platform::SRCCOPY);
      for (int sprite = 0; sprite < 3; ++sprite) {
        const int x = int(random() % 110) - 10, y = int(random() % 75) - 10;
        BitBlt(picture.hDC(), x, y, 1 + int(random() % 20), 1 + int(random() % 20), sheet.hDC(), int(random() % 30),
               int(random() % 20), frame % 2 ? platform::SRCPAINT : platform::SRCCOPY);
      }
      const platform::Region changed = picture.TakeDamage();
      for (const Rect& part : changed.Rects()) {
        const Rect drawn = CopyMagnified(picture, part, factor, rows, ox, oy);
        ASSERT_EQ(drawn, (Rect{ox + part.x * factor, oy + part.y * factor, part.w * factor, part.h * factor}));
      }
    }
    ASSERT_EQ(client, MagnifyByDefinition(picture, factor, width, height, ox, oy, kBlack));
  }
}

}  // namespace
