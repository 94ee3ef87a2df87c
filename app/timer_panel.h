// The timer over the picture: a strip of the level's cream paper in the
// bottom-left corner, on the rock under the lowest floor (where the run
// never goes), with the run's time and its three splits written in the ink
// of the level's notes. Each split reached shows its time and how far it is
// from the best run's: green ahead, the spikes' red behind, the flag's blue
// when it beats every run's split there. A point not yet reached shows, in
// the rock's grey, the best run's time there.
#pragma once

#include <optional>

#include "app/lettering.h"
#include "app/splits.h"
#include "platform/surface.h"

struct TimerView {
  std::int64_t frame = 0;      // the frame shown
  Splits run;                  // the run's splits (those after `frame` are not shown)
  std::optional<Splits> best;  // the best run's
  Splits bestSplits;           // the best of every run at each point
  int speed = 100;             // percent; shown when not 100
};

class TimerPanel {
 public:
  TimerPanel();
  // Writes the timer over `picture`, with blits alone: a picture that is a
  // copy of the game's is still known as one.
  void Draw(platform::Surface& picture, const TimerView& view);
  // Where it goes, the most it covers.
  static constexpr platform::Rect kPlace{4, 702, 1016, 36};

 private:
  Lettering letters_;
  platform::Surface panel_;
};
