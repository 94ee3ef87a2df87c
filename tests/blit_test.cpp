#include <gtest/gtest.h>

#include "platform/surface.h"

using platform::BitBlt;
using platform::Pixel;
using platform::RGB;
using platform::Surface;

namespace {

constexpr Pixel kWhite = 0xFFFFFF, kBlack = 0;

TEST(BitBlt, RasterOperationsCombineEveryChannel) {
  Surface dest(4, 1, RGB(0xF0, 0x0F, 0xAA));
  Surface src(4, 1, RGB(0x3C, 0x3C, 0x55));

  BitBlt(dest.hDC(), 0, 0, 1, 1, src.hDC(), 0, 0, platform::SRCCOPY);
  BitBlt(dest.hDC(), 1, 0, 1, 1, src.hDC(), 0, 0, platform::SRCAND);
  BitBlt(dest.hDC(), 2, 0, 1, 1, src.hDC(), 0, 0, platform::SRCPAINT);

  EXPECT_EQ(dest.At(0, 0), RGB(0x3C, 0x3C, 0x55));
  EXPECT_EQ(dest.At(1, 0), RGB(0x30, 0x0C, 0x00));
  EXPECT_EQ(dest.At(2, 0), RGB(0xFC, 0x3F, 0xFF));
  EXPECT_EQ(dest.At(3, 0), RGB(0xF0, 0x0F, 0xAA));
}

TEST(BitBlt, MaskThenSpriteLeavesTheBackgroundWhereTheMaskIsWhite) {
  Surface stage(3, 1, RGB(236, 233, 216));
  Surface mask(3, 1, kWhite);
  Surface sprite(3, 1, kBlack);
  mask.At(1, 0) = kBlack;  // the figure's outline: black in both
  mask.At(2, 0) = kBlack;  // the figure itself
  sprite.At(2, 0) = RGB(128, 64, 0);

  BitBlt(stage.hDC(), 0, 0, 3, 1, mask.hDC(), 0, 0, platform::SRCAND);
  BitBlt(stage.hDC(), 0, 0, 3, 1, sprite.hDC(), 0, 0, platform::SRCPAINT);

  EXPECT_EQ(stage.At(0, 0), RGB(236, 233, 216));
  EXPECT_EQ(stage.At(1, 0), kBlack);
  EXPECT_EQ(stage.At(2, 0), RGB(128, 64, 0));
}

// Fills a w × h surface with distinct pixels.
void Number(Surface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.At(x, y) = Pixel(1 + y * 1000 + x);
}

TEST(BitBlt, OversizeRequestCopiesExactlyTheWholePicture) {
  Surface picture(1024, 742);
  Number(picture);
  Surface window(1100, 800, 7);

  EXPECT_NE(BitBlt(window.hDC(), 0, 0, 11520, 7980, picture.hDC(), 0, 0, platform::SRCCOPY), 0);

  for (int y = 0; y < 800; ++y) {
    for (int x = 0; x < 1100; ++x) {
      const Pixel want = x < 1024 && y < 742 ? picture.At(x, y) : 7;
      ASSERT_EQ(window.At(x, y), want) << x << "," << y;
    }
  }
}

TEST(BitBlt, ClipsToBothSurfacesOnEverySide) {
  Surface src(5, 5);
  Number(src);

  struct Case {
    int x, y, w, h, sx, sy;
  };
  // Rectangles hanging off every edge of the destination, off every edge of
  // the source, empty, negative and absurdly large.
  const Case cases[] = {
      {-2, -1, 5, 5, 0, 0}, {4, 5, 5, 5, 0, 0},   {1, 1, 5, 5, -2, -3}, {0, 0, 3, 3, 4, 4},
      {0, 0, 0, 3, 0, 0},   {0, 0, -3, -3, 0, 0}, {-100000, -100000, 2147483647, 2147483647, -5, 9},
      {2147483647, 0, 2147483647, 1, 0, 0},       {0, 0, 3, 3, -2147483647 - 1, -2147483647 - 1},
  };
  for (const Case& c : cases) {
    Surface dest(6, 7, 0xABCDEF);
    BitBlt(dest.hDC(), c.x, c.y, c.w, c.h, src.hDC(), c.sx, c.sy, platform::SRCCOPY);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 6; ++x) {
        // What a pixel-by-pixel blit would do, skipping whatever lies outside either surface.
        const long long sx = (long long)c.sx + (x - c.x), sy = (long long)c.sy + (y - c.y);
        const bool inside = x - (long long)c.x >= 0 && x - (long long)c.x < c.w && y - (long long)c.y >= 0 &&
                            y - (long long)c.y < c.h && sx >= 0 && sx < 5 && sy >= 0 && sy < 5;
        const Pixel want = inside ? src.At(int(sx), int(sy)) : 0xABCDEF;
        ASSERT_EQ(dest.At(x, y), want) << "case " << c.x << "," << c.y << " " << c.w << "x" << c.h << " from "
                                       << c.sx << "," << c.sy << " at " << x << "," << y;
      }
    }
  }
}

TEST(BitBlt, UnknownOrRetiredHandlesAndUnknownOperationsDoNothing) {
  Surface dest(2, 2, 5);
  platform::HDC retired = 0;
  {
    Surface gone(2, 2, 9);
    retired = gone.hDC();
  }
  EXPECT_EQ(BitBlt(dest.hDC(), 0, 0, 2, 2, retired, 0, 0, platform::SRCCOPY), 0);
  EXPECT_EQ(BitBlt(retired, 0, 0, 2, 2, dest.hDC(), 0, 0, platform::SRCCOPY), 0);
  EXPECT_EQ(BitBlt(dest.hDC(), 0, 0, 2, 2, 0, 0, 0, platform::SRCCOPY), 0);

  Surface src(2, 2, 9);
  EXPECT_EQ(BitBlt(dest.hDC(), 0, 0, 2, 2, src.hDC(), 0, 0, 0x00660046 /* SRCINVERT */), 0);
  EXPECT_EQ(dest.At(0, 0), 5u);
  EXPECT_NE(src.hDC(), retired);
}

}  // namespace
