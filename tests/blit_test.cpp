#include <gtest/gtest.h>

#include "core/layout.h"
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
  Surface picture(layout::StageWidth, layout::StageHeight);
  Number(picture);
  Surface window(1100, 800, 7);

  EXPECT_NE(BitBlt(window.hDC(), 0, 0, 11520, 7980, picture.hDC(), 0, 0, platform::SRCCOPY), 0);

  for (int y = 0; y < 800; ++y) {
    for (int x = 0; x < 1100; ++x) {
      const Pixel want = x < layout::StageWidth && y < layout::StageHeight ? picture.At(x, y) : 7;
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
      {-2, -1, 5, 5, 0, 0},
      {4, 5, 5, 5, 0, 0},
      {1, 1, 5, 5, -2, -3},
      {0, 0, 3, 3, 4, 4},
      {0, 0, 0, 3, 0, 0},
      {0, 0, -3, -3, 0, 0},
      {-100000, -100000, 2147483647, 2147483647, -5, 9},
      {2147483647, 0, 2147483647, 1, 0, 0},
      {0, 0, 3, 3, -2147483647 - 1, -2147483647 - 1},
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
        ASSERT_EQ(dest.At(x, y), want) << "case " << c.x << "," << c.y << " " << c.w << "x" << c.h << " from " << c.sx
                                       << "," << c.sy << " at " << x << "," << y;
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

namespace {

// A plain blit, pixel by pixel, to hold the real one against.
void ReferenceBlit(std::vector<Pixel>& to, int toW, int toH, const std::vector<Pixel>& from, int fromW, int fromH,
                   int x, int y, int w, int h, int sx, int sy, std::uint32_t rop) {
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      const int dx = x + c, dy = y + r, fx = sx + c, fy = sy + r;
      if (dx < 0 || dy < 0 || dx >= toW || dy >= toH || fx < 0 || fy < 0 || fx >= fromW || fy >= fromH) continue;
      Pixel& d = to[std::size_t(dy * toW + dx)];
      const Pixel s = from[std::size_t(fy * fromW + fx)];
      d = rop == platform::SRCCOPY ? s : rop == platform::SRCAND ? (d & s) : (d | s);
    }
  }
}

// Frames as the game draws them: the picture copied whole, sprites blitted on
// top, now and then a change behind the blit's back. Whatever shortcut the
// whole copy takes, the pixels must be exactly those of plain blits, and the
// parts reported as changed must bring a copy of the screen up to date.
TEST(BitBlt, RepeatedWholeCopiesMatchPlainBlitsAndReportEveryChange) {
  constexpr int W = 64, H = 48;
  Surface back(W, H), level(W, H), sprite(9, 7), other(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      level.At(x, y) = Pixel(x * 131 + y * 7919) & 0xFFFFFF;
      other.At(x, y) = Pixel(x * 17 + y * 3) & 0xFFFFFF;
    }
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) sprite.At(x, y) = Pixel(x * 99991 + y * 5) & 0xFFFFFF;

  std::vector<Pixel> want(std::size_t(W * H), 0);
  std::vector<Pixel> screen(std::size_t(W * H), 0);
  const Surface& shown = back;  // read without writing
  std::uint32_t seed = 12345;
  const auto random = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % std::uint32_t(n));
  };
  const std::uint32_t rops[] = {platform::SRCCOPY, platform::SRCAND, platform::SRCPAINT};

  for (int step = 0; step < 20000; ++step) {
    const int what = random(100);
    if (what == 0 || what >= 80) {  // the whole level, or now and then another picture
      Surface& picture = what == 0 ? other : level;
      BitBlt(back.hDC(), 0, 0, 11520, 7980, picture.hDC(), 0, 0, platform::SRCCOPY);
      want = picture.Pixels();
    } else if (what < 50) {  // a sprite, partly off the edges at times
      const int x = random(W + 12) - 6, y = random(H + 10) - 5, rop = random(3);
      BitBlt(back.hDC(), x, y, 9, 7, sprite.hDC(), 0, 0, rops[rop]);
      ReferenceBlit(want, W, H, sprite.Pixels(), 9, 7, x, y, 9, 7, 0, 0, rops[rop]);
    } else if (what == 50) {  // a pixel written directly
      const int x = random(W), y = random(H);
      back.At(x, y) = 0x123456;
      want[std::size_t(y * W + x)] = 0x123456;
    } else if (what == 51) {  // the level itself changes
      const int x = random(W), y = random(H);
      BitBlt(level.hDC(), x, y, 9, 7, sprite.hDC(), 0, 0, platform::SRCPAINT);
    } else if (what < 54) {  // a part of the level copied, not the whole
      BitBlt(back.hDC(), 5, 5, 20, 20, level.hDC(), 5, 5, platform::SRCCOPY);
      ReferenceBlit(want, W, H, level.Pixels(), W, H, 5, 5, 20, 20, 5, 5, platform::SRCCOPY);
    } else if (what < 70) {  // presented: only the changed parts reach the screen
      const platform::Region damage = back.TakeDamage();
      for (const platform::Rect& r : damage.Rects()) {
        for (int y = r.y; y < r.y + r.h; ++y)
          for (int x = r.x; x < r.x + r.w; ++x) screen[std::size_t(y * W + x)] = shown.At(x, y);
      }
      ASSERT_EQ(screen, want) << "step " << step;
    }
    ASSERT_EQ(back.Pixels(), want) << "step " << step;
  }
}

}  // namespace
