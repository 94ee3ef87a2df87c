#include "shell/module1.h"

namespace module1 {

Boolean Running = False;
Boolean Paused = False;
std::int32_t FrameCount = 0;
std::int64_t NextFrameTick = 0;
double LastRateTick = 0;
std::unique_ptr<playercls> Player;

void ResetState() {
  Running = False;
  Paused = False;
  KeyState.fill(False);
  FrameCount = 0;
  NextFrameTick = 0;
  LastRateTick = 0;
  Player.reset();
  RightWallEdges.fill(0);
  LeftWallEdges.fill(0);
}

}  // namespace module1
