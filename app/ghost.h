// The ghost: a recorded run played again beside the player's, frame for
// frame, its player drawn half seen over the picture where it is on the
// frame the player's game shows. It is made afresh from the recording's
// events, so it is where the run was to the pixel; it touches nothing of the
// player's game, and it is gone once its run has ended.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/scripted_event.h"
#include "platform/surface.h"
#include "replay/seekable_run.h"

class Ghost {
 public:
  explicit Ghost(std::vector<platform::ScriptedEvent> events);

  // Draws the ghost's player as it was after frame `frame`, with blits alone
  // (a picture that is a copy of the game's is still known as one); nothing
  // before the run's first frame or after its last, nor where the ghost's
  // player is hidden.
  void Draw(platform::Surface& picture, std::int64_t frame);

 private:
  replay::SeekableRun run_;
  std::shared_ptr<const platform::Surface> mask_, sprites_;
  platform::Surface box_;  // the picture under the ghost's player, to be mixed
};
