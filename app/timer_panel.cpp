#include "app/timer_panel.h"

namespace {

// The level's own colours.
constexpr platform::Pixel kCream = platform::RGB(236, 233, 216), kInk = platform::RGB(34, 30, 26),
                          kRockBorder = platform::RGB(56, 56, 56), kRockGrey = platform::RGB(128, 128, 128),
                          kAhead = platform::RGB(0, 128, 0), kBehind = platform::RGB(193, 0, 0),
                          kBestSplit = platform::RGB(0, 0, 255);
constexpr int kMargin = 8, kBaseline = 23, kSpace = 10, kGap = 24;  // between the time and each split

}  // namespace

TimerPanel::TimerPanel() : panel_(kPlace.w, kPlace.h, kCream) {}

void TimerPanel::Draw(platform::Surface& picture, const TimerView& view) {
  const auto reached = [&](SplitPoint p) { return view.run[p] && *view.run[p] <= view.frame; };
  for (int y = 0; y < panel_.Height(); ++y) {
    platform::Pixel* row = panel_.Row(y);
    const bool edge = y == 0 || y == panel_.Height() - 1;
    for (int x = 0; x < panel_.Width(); ++x) row[x] = edge || x == 0 ? kRockBorder : kCream;
  }
  const std::int64_t now = reached(SplitPoint::Door) ? *view.run[SplitPoint::Door] : view.frame;
  int pen = letters_.Write(panel_, kMargin, kBaseline, RaceTime(now), kInk);
  for (int i = 0; i < kSplitPoints; ++i) {
    const auto point = SplitPoint(i);
    // The best run's frame there, or 0 for none (no run reaches a point on frame 0).
    const std::int64_t best = view.best ? (*view.best)[point].value_or(0) : 0;
    pen = letters_.Write(panel_, pen + kGap, kBaseline, SplitName(point), reached(point) ? kInk : kRockGrey);
    if (reached(point)) {
      const std::int64_t at = *view.run[point];
      pen = letters_.Write(panel_, pen + kSpace, kBaseline, RaceTime(at), kInk);
      if (best > 0) {
        const std::int64_t bestSplit = view.bestSplits[point].value_or(0);
        const platform::Pixel ink = bestSplit > 0 && at < bestSplit ? kBestSplit : at <= best ? kAhead : kBehind;
        pen = letters_.Write(panel_, pen + kSpace, kBaseline, RaceDelta(at - best), ink);
      }
    } else if (best > 0) {
      pen = letters_.Write(panel_, pen + kSpace, kBaseline, RaceTime(best), kRockGrey);
    }
  }
  if (view.speed != 100) {
    pen = letters_.Write(panel_, pen + kGap, kBaseline, std::to_string(view.speed) + "%", kInk);
  }
  const int width = std::min(pen + kMargin, panel_.Width());
  for (int y = 0; y < panel_.Height(); ++y) panel_.Row(y)[width - 1] = kRockBorder;
  platform::BitBlt(picture.hDC(), kPlace.x, kPlace.y, width, kPlace.h, panel_.hDC(), 0, 0, platform::SRCCOPY);
}
