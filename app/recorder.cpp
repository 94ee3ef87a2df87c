#include "app/recorder.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "generated/version.h"
#include "replay/script.h"

namespace {

// The local time and its offset from UTC, "2024-05-01 14:03:07 +0200", worded
// the same on every system (Windows' strftime writes a zone's name for %z).
std::string Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  std::tm utc = *std::gmtime(&now);
  utc.tm_isdst = local.tm_isdst;  // read as local time, UTC's fields are a time `offset` earlier
  const long offset = long(std::difftime(now, std::mktime(&utc)) / 60);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(text + n, sizeof text - n, " %c%02ld%02ld", offset < 0 ? '-' : '+', std::labs(offset) / 60,
                std::labs(offset) % 60);
  return text;
}

}  // namespace

RecordingWindow::RecordingWindow(platform::Window& real, const Game& game, replay::OutputFile& script,
                                 replay::FrameObserver afterFrame)
    : WatchedWindow(real, game, std::move(afterFrame)), script_(script) {
  const std::string header = std::string("# Recorded by Plinkard ") + PLINKARD_VERSION + " on " + Now() +
                             "\n# Watch it with plinkard --play FILE; check it with plinkard-replay FILE\n";
  unflushed_ = !script_.Write(header, true);  // a failure shows at the first present
}

// Before the frame is reported, so that a trace row never names a frame whose
// events the recording does not hold yet.
void RecordingWindow::Present(const platform::Surface& backImage) {
  if (unflushed_ && !script_.Flush()) throw platform::ProgramEnded{};
  unflushed_ = false;
  WatchedWindow::Present(backImage);
}

void RecordingWindow::PumpEvents() {
  pumpDelivered_ = false;
  WatchedWindow::PumpEvents();
}

// Where the replay's clock is when an event reaches the game now.
//  - Between two frames: the next frame's start, which a replay reaches after
//    the last frame and before the next one moves anything.
//  - In the pause loop: the next millisecond, one pump on; everything the same
//    real pump delivers shares it, so that what follows the P that resumes
//    still comes before the frame moves.
//  - While the death message is up (only a close gets through): the first pump
//    after the frame, the earliest a replay can deliver it. The replay finishes
//    the frame that the live game ended in.
std::int64_t RecordingWindow::TimeOfEvent() {
  if (inMessage_) return clock_.FrameClock() + 1;
  if (!clock_.Holding()) return clock_.NextFrameStart();
  if (!pumpDelivered_) clock_.PausePump();
  pumpDelivered_ = true;
  return clock_.FrameClock();
}

void RecordingWindow::Write(platform::ScriptedEvent::Kind kind, std::int16_t keyCode) {
  script_.Write(replay::ScriptLine({TimeOfEvent(), kind, keyCode}));
  unflushed_ = true;
}

platform::WindowHandlers RecordingWindow::Intercept(platform::WindowHandlers game) {
  using Kind = platform::ScriptedEvent::Kind;
  return {
      .KeyDown =
          [this, down = std::move(game.KeyDown)](std::int16_t keyCode, std::int16_t shift) {
            Write(Kind::KeyDown, keyCode);
            if (down) down(keyCode, shift);
          },
      .KeyUp =
          [this, up = std::move(game.KeyUp)](std::int16_t keyCode, std::int16_t shift) {
            Write(Kind::KeyUp, keyCode);
            if (up) up(keyCode, shift);
          },
      // The close ends the program from inside the handler: written first.
      .QueryUnload =
          [this, close = std::move(game.QueryUnload)] {
            Write(Kind::Close, 0);
            script_.Flush();
            unflushed_ = false;
            if (close) close();
          },
  };
}

void RecordingWindow::ShowMessage(const std::string& prompt, const std::string& title) {
  inMessage_ = true;
  WatchedWindow::ShowMessage(prompt, title);
  inMessage_ = false;
}
