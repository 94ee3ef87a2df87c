// The presenter that draws on canvases in memory: the window's own surface on
// X11 (one, always there) or the window's two buffers on Wayland (in turn, and
// only when the compositor is ready for a picture). Against canvases of its
// own making, each canvas sent must show the picture last presented, placed
// as the desktop view says, and what it sends as changed must cover every pixel
// that changed on it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/presentation.h"
#include "platform/sdl/presenter.h"

namespace {

using platform::Canvases;
using platform::Pixel;
using platform::Rect;

constexpr Pixel kJunk = 0x00C0FFEE;  // what a fresh canvas holds

// Canvases the test controls: how many, whether the compositor is ready (or
// the window has a surface), whether a send succeeds; and what was sent.
class FakeCanvases final : public Canvases {
 public:
  FakeCanvases(int count, bool mayHoldBack, int width, int height, Uint32 format = SDL_PIXELFORMAT_XRGB8888)
      : count_(count), mayHoldBack_(mayHoldBack) {
    for (int i = 0; i < count; ++i) canvases_.push_back(MakeSurface(width, height, format));
  }
  ~FakeCanvases() override {
    for (SDL_Surface* s : canvases_) SDL_FreeSurface(s);
  }

  int Count() const override { return count_; }
  bool MayHoldBack() const override { return mayHoldBack_; }

  std::optional<Canvas> Take() override {
    if (!ready) return std::nullopt;
    const int number = next_;
    next_ = (next_ + 1) % count_;
    SDL_Surface* surface = canvases_[std::size_t(number)];
    const bool fresh = !taken_[std::size_t(number)];
    taken_[std::size_t(number)] = true;
    before = Pixels(surface);
    return Canvas{surface, number, fresh};
  }

  bool Send(const Canvas& canvas, std::span<const Rect> changed, bool whole) override {
    sent.push_back({canvas.number, whole, std::vector<Rect>(changed.begin(), changed.end())});
    return sendSucceeds;
  }

  // Every canvas a new size, as when the window is resized: fresh again.
  void Resize(int width, int height) {
    for (SDL_Surface*& s : canvases_) {
      const Uint32 format = s->format->format;
      SDL_FreeSurface(s);
      s = MakeSurface(width, height, format);
    }
    taken_.assign(taken_.size(), false);
  }

  SDL_Surface* Surface(int number) const { return canvases_[std::size_t(number)]; }

  static std::vector<Pixel> Pixels(SDL_Surface* s) {
    std::vector<Pixel> pixels;
    for (int y = 0; y < s->h; ++y) {
      for (int x = 0; x < s->w; ++x) {
        Uint8 r, g, b;
        SDL_GetRGB(*reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4),
                   s->format, &r, &g, &b);
        pixels.push_back(Pixel(r) << 16 | Pixel(g) << 8 | b);
      }
    }
    return pixels;
  }

  struct Sent {
    int number;
    bool whole;
    std::vector<Rect> changed;
  };
  std::vector<Sent> sent;
  std::vector<Pixel> before;  // the canvas taken last, as it was taken
  bool ready = true;
  bool sendSucceeds = true;

 private:
  static SDL_Surface* MakeSurface(int width, int height, Uint32 format) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, Uint8(kJunk >> 16), Uint8(kJunk >> 8), Uint8(kJunk)));
    return s;
  }

  int count_;
  bool mayHoldBack_;
  std::vector<SDL_Surface*> canvases_;
  std::vector<bool> taken_ = std::vector<bool>(std::size_t(count_), false);
  int next_ = 0;
};

// A small picture that a test changes a few pixels of at a time, as the game
// changes its back image between two presents.
class Presenting : public ::testing::Test {
 protected:
  void Make(int count, bool mayHoldBack, int width, int height, const platform::ViewOptions& view = {},
            Uint32 format = SDL_PIXELFORMAT_XRGB8888) {
    auto canvases = std::make_unique<FakeCanvases>(count, mayHoldBack, width, height, format);
    fake_ = canvases.get();
    presenter_ = platform::MakeSurfacePresenter(std::move(canvases));
    view_ = platform::DesktopView(view);
    for (int y = 0; y < picture_.Height(); ++y) {
      for (int x = 0; x < picture_.Width(); ++x) picture_.At(x, y) = Pixel(0x101010 * (x % 7) + 0x030201 * y);
    }
  }

  // Paints a rectangle of the picture and says it changed.
  void Paint(const Rect& r, Pixel colour) {
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) picture_.At(x, y) = colour;
    }
    changed_.Add(r);
  }

  bool Present(bool whole = false) {
    const bool shown = presenter_->Present(picture_, changed_, whole, view_);
    changed_.Clear();
    return shown;
  }

  // The client area as it must look with `picture` presented.
  std::vector<Pixel> Expected(const std::vector<Pixel>& picture, int width, int height) const {
    const platform::Placement p = view_.Place(picture_.Width(), picture_.Height(), width, height);
    std::vector<Pixel> expected;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside =
            x >= p.picture.x && x < p.picture.x + p.picture.w && y >= p.picture.y && y < p.picture.y + p.picture.h;
        expected.push_back(
            inside
                ? picture[std::size_t((y - p.picture.y) / p.factor * picture_.Width() + (x - p.picture.x) / p.factor)]
                : p.surround);
      }
    }
    return expected;
  }

  // The canvas sent last shows `picture` (the picture now, unless given), and
  // every pixel that differs from what it held before lies in a part sent as
  // changed.
  void ExpectSentShows(const std::vector<Pixel>* picture = nullptr) {
    ASSERT_FALSE(fake_->sent.empty());
    const FakeCanvases::Sent& sent = fake_->sent.back();
    SDL_Surface* surface = fake_->Surface(sent.number);
    const std::vector<Pixel> now = FakeCanvases::Pixels(surface);
    EXPECT_EQ(Mismatch(now, Expected(picture ? *picture : picture_.Pixels(), surface->w, surface->h), surface->w), "")
        << "canvas " << sent.number << ", send " << fake_->sent.size();
    if (sent.whole) return;
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i] == fake_->before[i]) continue;
      const Rect pixel{int(i) % surface->w, int(i) / surface->w, 1, 1};
      bool covered = false;
      for (const Rect& r : sent.changed) covered = covered || r.Contains(pixel);
      ASSERT_TRUE(covered) << "(" << pixel.x << ", " << pixel.y << ") changed outside the parts sent";
    }
  }

  // The first pixel that differs, or nothing. (Written through a stream: GCC
  // 12 at -O3 takes the same message put together with string + for an
  // overlapping copy, and warns.)
  static std::string Mismatch(const std::vector<Pixel>& actual, const std::vector<Pixel>& expected, int width) {
    std::ostringstream message;
    for (std::size_t i = 0; i < actual.size(); ++i) {
      if (actual[i] != expected[i]) {
        message << "(" << int(i) % width << ", " << int(i) / width << ") is " << actual[i] << ", not " << expected[i];
        break;
      }
    }
    return message.str();
  }

  platform::Surface picture_{16, 12};
  platform::Region changed_;
  platform::DesktopView view_;
  FakeCanvases* fake_ = nullptr;
  std::unique_ptr<platform::SdlPresenter> presenter_;
};

TEST_F(Presenting, TwoCanvasesInTurnEachShowTheLatestPictureSendingOnlyWhatChanged) {
  for (const std::optional<int> scale : {std::optional<int>(), std::optional<int>(2)}) {
    SCOPED_TRACE(scale ? "twice as large, centred" : "1:1 at the top left");
    Make(2, true, 40, 30, {.scale = scale});
    ASSERT_TRUE(Present(true));
    ExpectSentShows();
    EXPECT_TRUE(fake_->sent.back().whole);

    // The second canvas is drawn whole the first time; after that each
    // canvas lacks only what changed while the other one was shown.
    const Rect parts[] = {{1, 1, 2, 2}, {10, 3, 4, 1}, {0, 11, 16, 1}, {5, 5, 1, 1}, {1, 2, 3, 3}, {15, 0, 1, 12}};
    Pixel colour = 0x0000FF;
    for (const Rect& part : parts) {
      Paint(part, colour += 0x010300);
      ASSERT_TRUE(Present());
      ExpectSentShows();
      EXPECT_EQ(fake_->sent.back().whole, &part == &parts[0]);
    }
    // Nothing changed: nothing to draw, nothing sent.
    const std::size_t sends = fake_->sent.size();
    EXPECT_TRUE(Present());
    EXPECT_EQ(fake_->sent.size(), sends);
    EXPECT_FALSE(presenter_->HoldsBack());
  }
}

TEST_F(Presenting, WhileTheCompositorIsNotReadyThePicturePresentedIsHeldBack) {
  Make(2, true, 40, 30);
  ASSERT_TRUE(Present(true));
  Paint({0, 0, 1, 1}, 0x808080);
  ASSERT_TRUE(Present());
  Paint({1, 0, 1, 1}, 0x909090);
  ASSERT_TRUE(Present());
  fake_->ready = false;
  Paint({2, 2, 3, 3}, 0xFF0000);
  EXPECT_TRUE(Present()) << "held back is not lost";
  EXPECT_TRUE(presenter_->HoldsBack());
  Paint({8, 8, 2, 2}, 0x00FF00);
  EXPECT_TRUE(Present());
  const std::vector<Pixel> presented = picture_.Pixels();
  // The game draws its next frame over the picture before the compositor is
  // ready: what shows is what was presented.
  Paint({0, 0, 16, 12}, 0x0000FF);
  changed_.Clear();
  EXPECT_FALSE(presenter_->ShowHeldBack()) << "still not ready";
  fake_->ready = true;
  EXPECT_TRUE(presenter_->ShowHeldBack());
  EXPECT_FALSE(presenter_->HoldsBack());
  EXPECT_FALSE(fake_->sent.back().whole);
  ExpectSentShows(&presented);
  EXPECT_FALSE(presenter_->ShowHeldBack()) << "nothing left to show";
}

TEST_F(Presenting, AWholeRedrawReachesBothCanvases) {
  Make(2, true, 40, 30, {.scale = 2});
  ASSERT_TRUE(Present(true));
  ASSERT_TRUE(Present(true));
  Paint({0, 0, 4, 4}, 0xFFFFFF);
  ASSERT_TRUE(Present());
  // The window was uncovered: everything again, on each canvas in turn.
  ASSERT_TRUE(Present(true));
  EXPECT_TRUE(fake_->sent.back().whole);
  ExpectSentShows();
  Paint({9, 9, 1, 1}, 0x123456);
  ASSERT_TRUE(Present());
  EXPECT_TRUE(fake_->sent.back().whole);
  ExpectSentShows();
  Paint({3, 3, 1, 1}, 0x654321);
  ASSERT_TRUE(Present());
  EXPECT_FALSE(fake_->sent.back().whole);
  ExpectSentShows();
}

TEST_F(Presenting, ANewSizeIsDrawnWholeWhereverThePictureMoved) {
  Make(2, true, 40, 30, {.scale = 2});
  ASSERT_TRUE(Present(true));
  ASSERT_TRUE(Present(true));
  fake_->Resize(60, 40);  // fresh canvases; the picture grows to three times
  Paint({4, 4, 2, 2}, 0xABCDEF);
  ASSERT_TRUE(Present());
  EXPECT_TRUE(fake_->sent.back().whole);
  ExpectSentShows();
  Paint({5, 5, 2, 2}, 0x0F0F0F);
  ASSERT_TRUE(Present());
  EXPECT_TRUE(fake_->sent.back().whole);
  ExpectSentShows();
}

TEST_F(Presenting, OneCanvasThatCantHoldBackIsDrawnWholeAfterAPictureItMissed) {
  Make(1, false, 20, 15);
  ASSERT_TRUE(Present(true));
  Paint({1, 1, 1, 1}, 0xFF00FF);
  ASSERT_TRUE(Present());
  ExpectSentShows();
  EXPECT_FALSE(fake_->sent.back().whole);

  fake_->ready = false;  // the window has no surface for a while
  Paint({6, 6, 2, 2}, 0x00FFFF);
  EXPECT_FALSE(Present()) << "nothing could be shown";
  EXPECT_FALSE(presenter_->HoldsBack()) << "nothing kept";
  fake_->ready = true;
  Paint({12, 1, 1, 1}, 0x0F00F0);
  ASSERT_TRUE(Present());
  EXPECT_TRUE(fake_->sent.back().whole);
  ExpectSentShows();
}

TEST_F(Presenting, ACanvasWhoseSendFailedIsDrawnWholeNextTime) {
  Make(2, true, 40, 30);
  ASSERT_TRUE(Present(true));
  ASSERT_TRUE(Present(true));
  fake_->sendSucceeds = false;
  Paint({2, 2, 2, 2}, 0x111111);
  EXPECT_FALSE(Present());
  fake_->sendSucceeds = true;
  Paint({7, 7, 1, 1}, 0x222222);
  ASSERT_TRUE(Present());
  ExpectSentShows();
  Paint({8, 8, 1, 1}, 0x333333);
  ASSERT_TRUE(Present());
  EXPECT_TRUE(fake_->sent.back().whole) << "the canvas whose send failed";
  ExpectSentShows();
}

TEST_F(Presenting, CanvasesOfAnotherPixelFormatAndSmallerThanThePictureGetItConverted) {
  Make(2, true, 40, 30, {}, SDL_PIXELFORMAT_ABGR8888);
  ASSERT_TRUE(Present(true));
  ExpectSentShows();
  Paint({3, 3, 2, 2}, 0xFF8000);
  ASSERT_TRUE(Present());
  ExpectSentShows();

  Make(1, false, 8, 6);  // half the picture's size: shrunk by SDL's filter
  ASSERT_TRUE(Present(true));
  EXPECT_TRUE(fake_->sent.back().whole);
  const std::vector<Pixel> shown = FakeCanvases::Pixels(fake_->Surface(0));
  for (const Pixel p : shown) EXPECT_NE(p, kJunk) << "every pixel drawn";
}

}  // namespace
