// Recording a run: the real window as the player plays it, writing every
// key-down (auto-repeat included), key-up and close that reaches the game as a
// replay script, timed so that a replay delivers each one at the same place
// among the frames (VirtualClock).
#pragma once

#include <vector>

#include "app/watched_window.h"
#include "platform/scripted_event.h"
#include "replay/output_file.h"

class RecordingWindow final : public WatchedWindow {
 public:
  // Keeps the recording, and writes it to `script` if given, which stays
  // open and the caller's: its header (replay/recording.h), then one line
  // per event. The file is flushed after every present that follows a
  // written event, and at the close. When it can't be written, the game ends
  // at the next present (as a close would, throwing platform::ProgramEnded):
  // closing the file says why.
  RecordingWindow(platform::Window& real, const Game& game, replay::OutputFile* script,
                  replay::FrameObserver afterFrame);

  void Present(const platform::Surface& backImage) override;
  void PumpEvents() override;

  // Once the game has ended, however it ended: a close where the game ended
  // without one (so that a replay ends there too), and the result lines,
  // worked out by replaying the recording, written to the file.
  void Finish();
  // The recording as it would be if the game ended now: what Finish writes
  // after what has been written.
  std::string Finished() const { return text_ + Ending(); }

 protected:
  platform::WindowHandlers Intercept(platform::WindowHandlers game) override;
  void ShowMessage(const std::string& prompt, const std::string& title) override;

 private:
  void Write(platform::ScriptedEvent::Kind kind, std::int16_t keyCode);
  std::int64_t NextEventTime() const;
  std::int64_t TimeOfEvent();
  std::string Ending() const;

  replay::OutputFile* script_;
  std::string text_;                             // the recording so far
  std::vector<platform::ScriptedEvent> events_;  // as written
  std::vector<int> speeds_;                      // each speed a frame was played at, in percent, once
  bool closed_ = false;
  bool inMessage_ = false;      // the death message is up
  bool pumpDelivered_ = false;  // the current pump has delivered an event
  bool unflushed_ = false;
};
