// A game pad that is not there, for tests: SDL's virtual joystick, described
// as a game controller, which the window opens as it opens any pad plugged
// in. Its buttons and axes go by their names in SDL's mappings ("a", "x",
// "start", "dpright", "leftx", ...). SDL must be started (a window open); the
// calls may come from any thread.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class VirtualPad {
 public:
  bool Plug();
  void Unplug();
  bool SetButton(const std::string& name, bool down);
  bool SetAxis(const std::string& name, int value);  // -32768 to 32767

 private:
  std::int32_t instance_ = -1;  // SDL's joystick instance while plugged in
};

}  // namespace platform
