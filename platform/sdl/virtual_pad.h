// A game pad that is not there, for tests: SDL's virtual joystick, described
// as a game controller, which the window opens as it opens any pad plugged
// in. Its buttons and axes go by their names in SDL's mappings ("a", "x",
// "start", "dpright", "leftx", ...). SDL must be started (a window open).
// Plug may be called from any thread; the changes of buttons and axes only
// from a thread other than the game's, as each waits for the game to have it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

union SDL_Event;

namespace platform {

class VirtualPad {
 public:
  VirtualPad() = default;
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  bool Plug();
  void Unplug();
  // Each waits until the game has opened the pad, makes the change, and waits
  // until SDL has told the game of it (SDL reads a pad only when the game
  // pumps its events: a button pressed and let go between two pumps would
  // never reach it). False if it can't be made, or the game never had it.
  bool SetButton(const std::string& name, bool down);
  bool SetAxis(const std::string& name, int value);  // -32768 to 32767

 private:
  static int Watch(void* self, SDL_Event* event);
  template <class Change>
  bool MadeAndSeen(Change change);

  std::atomic<std::int32_t> instance_ = -1;  // SDL's joystick instance while plugged in
  std::atomic<std::uint64_t> seen_ = 0;      // the pad's events that reached the game
  bool watching_ = false;
};

}  // namespace platform
