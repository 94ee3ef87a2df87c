// What the browser tests read and set in the running page, beside the game's
// own page code: the player, the keys the game holds, and the frame counters.
#include <cstdio>
#include <string>

#include "app/web_main.h"

extern "C" {

// The state as JSON; valid until the next call.
const char* plinkard_test_state() {
  static std::string json;
  const Game& game = *PageGame();
  const playercls& p = game.Player;
  std::string held;
  for (std::size_t code = 0; code < game.KeyState.size(); ++code) {
    if (game.KeyState[code] != False) held += (held.empty() ? "" : ",") + std::to_string(code);
  }
  char text[512];
  std::snprintf(text, sizeof text,
                R"({"x":%.9g,"y":%.9g,"xVel":%.9g,"yVel":%.9g,"visible":%d,"paused":%d,"frameCount":%d,)"
                R"("framesDrawn":%lld,"framePeriod":%lld,"lastRateTick":%.17g,"caption":"%s","keys":[%s]})",
                double(p.X), double(p.Y), double(p.XVel), double(p.YVel), p.Visible != False, game.Paused != False,
                int(game.FrameCount), static_cast<long long>(game.FramesDrawn),
                static_cast<long long>(game.FramePeriod), game.LastRateTick, game.Stage1.Caption.c_str(), held.c_str());
  json = text;
  return json.c_str();
}

// Puts the player, standing still, at (x, y).
void plinkard_test_place(float x, float y) {
  playercls& p = PageGame()->Player;
  p.X = x;
  p.Y = y;
  p.XVel = 0;
  p.YVel = 0;
}
}
