#include "replay/seekable_run.h"

#include <algorithm>

namespace replay {

SeekableRun::SeekableRun(std::vector<platform::ScriptedEvent> events, FrameObserver scanned)
    : scan_(std::move(events)), scanned_observer_(std::move(scanned)), shown_(scan_) {
  scan_.game.Stage1.BackImage.DropPicture();
  scan_.window.OnPresent = [this](const platform::Surface&) {
    if (!PresentEndsFrame(scan_.game)) return;
    presentTicks_.push_back(scan_.window.GetTickCount());
    if (lastEvent_ < 0 && scan_.window.EventsLeft() == 0) lastEvent_ = scan_.game.FramesDrawn;
    if (!door_ && scan_.game.Door1.Opened != False) door_ = Door{scan_.game.FramesDrawn, scan_.game.Deaths};
    if (scanned_observer_) scanned_observer_(scan_.game);
  };
  scan_.game.StartUp();
  Keep();
  shown_ = kept_.front();
  shown_.game.Stage1.BackImage.BlankPicture();
}

void SeekableRun::Keep() { kept_.push_back(scan_); }

bool SeekableRun::Scan(std::int64_t frames) {
  for (std::int64_t n = 0; n < frames && !scanned_; ++n) {
    const std::int64_t next = scan_.game.FramesDrawn + 1;
    bool running = true;
    try {
      running = scan_.game.RunUntilFrame(next);
    } catch (const platform::RunCannotEnd&) {
      running = false;  // paused, with nothing left to deliver
    }
    if (!running || scan_.game.FramesDrawn < next) {
      scanned_ = true;
      closes_ = scan_.game.Running == False;
      break;
    }
    if (next % kFramesBetweenCopies == 0) Keep();
    scanned_ = lastEvent_ >= 0;
  }
  if (scanned_) frames_ = std::max<std::int64_t>(scan_.game.FramesDrawn, 1);
  return !scanned_;
}

Game& SeekableRun::Show(std::int64_t frame) {
  while (!scanned_ && scan_.game.FramesDrawn < frame) Scan(kFramesBetweenCopies);
  frame = std::clamp<std::int64_t>(frame, 1, scanned_ ? frames_ : scan_.game.FramesDrawn);
  const std::int64_t from = (frame - 1) / kFramesBetweenCopies;  // the copy to run on from
  const std::int64_t at = shown_.game.FramesDrawn;
  if (at >= frame || at < from * kFramesBetweenCopies) {
    shown_ = kept_[std::size_t(from)];
    shown_.game.Stage1.BackImage.BlankPicture();
  }
  shown_.game.RunUntilFrame(frame);
  return shown_.game;
}

}  // namespace replay
