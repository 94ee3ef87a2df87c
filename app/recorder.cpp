#include "app/recorder.h"

#include <algorithm>

#include "core/layout.h"

#include "replay/recording.h"
#include "replay/script.h"

RecordingWindow::RecordingWindow(platform::Window& real, const Game& game, replay::OutputFile* script,
                                 replay::FrameObserver afterFrame)
    : WatchedWindow(real, game, std::move(afterFrame)),
      script_(script),
      text_(replay::RecordingHeader(replay::TimeNow())) {
  if (script_ != nullptr) unflushed_ = !script_->Write(text_, true);  // a failure shows at the first present
}

// Before the frame is reported, so that a trace row never names a frame whose
// events the recording does not hold yet.
void RecordingWindow::Present(const platform::Surface& backImage) {
  if (unflushed_ && script_ != nullptr && !script_->Flush()) throw platform::ProgramEnded{};
  unflushed_ = false;
  const int speed = int(layout::FrameMs * 100 / game_.FramePeriod);
  if (replay::PresentEndsFrame(game_) && std::find(speeds_.begin(), speeds_.end(), speed) == speeds_.end()) {
    speeds_.push_back(speed);
  }
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
std::int64_t RecordingWindow::NextEventTime() const {
  if (inMessage_) return clock_.FrameClock() + 1;
  if (!clock_.Holding()) return clock_.NextFrameStart();
  return pumpDelivered_ ? clock_.FrameClock() : clock_.FrameClock() + 1;
}

std::int64_t RecordingWindow::TimeOfEvent() {
  if (clock_.Holding() && !inMessage_ && !pumpDelivered_) {
    clock_.PausePump();
    pumpDelivered_ = true;
  }
  return NextEventTime();
}

void RecordingWindow::Write(platform::ScriptedEvent::Kind kind, std::int16_t keyCode) {
  events_.push_back({TimeOfEvent(), kind, keyCode});
  const std::string line = replay::ScriptLine(events_.back());
  text_ += line;
  if (script_ != nullptr) script_->Write(line);
  unflushed_ = true;
  closed_ = closed_ || kind == platform::ScriptedEvent::Kind::Close;
}

// A close where the game stands, if it had none, and the result lines.
std::string RecordingWindow::Ending() const {
  std::vector<platform::ScriptedEvent> events = events_;
  std::string ending;
  if (!closed_) {
    events.push_back({NextEventTime(), platform::ScriptedEvent::Kind::Close, 0});
    ending = replay::ScriptLine(events.back());
  }
  replay::RunResult result = replay::ResultOf(events, std::nullopt);
  result.speeds = speeds_;
  return ending + replay::ResultLines(result);
}

void RecordingWindow::Finish() {
  if (script_ != nullptr) script_->Write(Ending(), true);
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
            if (script_ != nullptr) script_->Flush();
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
