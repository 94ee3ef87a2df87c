// What the browser tests read and set in the running page, beside the game's
// own page code: the player, the keys the game holds, and the frame counters.
#include <cstdio>
#include <string>

#include "shell/module1.h"
#include "shell/stage1.h"

extern "C" {

// The state as JSON; valid until the next call.
const char* plinkard_test_state() {
  static std::string json;
  const playercls& p = *module1::Player;
  std::string held;
  for (std::size_t code = 0; code < module1::KeyState.size(); ++code) {
    if (module1::KeyState[code] != False) held += (held.empty() ? "" : ",") + std::to_string(code);
  }
  char text[512];
  std::snprintf(text, sizeof text,
                R"({"x":%.9g,"y":%.9g,"xVel":%.9g,"yVel":%.9g,"visible":%d,"paused":%d,"frameCount":%d,)"
                R"("lastRateTick":%.17g,"caption":"%s","keys":[%s]})",
                double(p.X), double(p.Y), double(p.XVel), double(p.YVel), p.Visible != False, module1::Paused != False,
                int(module1::FrameCount), module1::LastRateTick, Stage1.Caption.c_str(), held.c_str());
  json = text;
  return json.c_str();
}

// Puts the player, standing still, at (x, y).
void plinkard_test_place(float x, float y) {
  module1::Player->X = x;
  module1::Player->Y = y;
  module1::Player->XVel = 0;
  module1::Player->YVel = 0;
}
}
