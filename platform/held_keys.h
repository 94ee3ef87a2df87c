// Which keys are held, and by what: the keyboard and any number of pad inputs
// can hold the same key at once. The game hears a key go down at every press
// from any of them, and go up only when the last of them lets go: releasing
// the pad's Right while the keyboard's Right is still down keeps the player
// walking, and the other way round.
#pragma once

#include <array>

#include "platform/keys.h"

namespace platform {

enum class KeySource { Keyboard, Pad };

class HeldKeys {
 public:
  // A pad presses a key once per input holding it; the keyboard holds it or not.
  void Press(vk::Code code, KeySource source);
  // Answers whether nothing holds the key any more, so the game should hear it go up.
  bool Release(vk::Code code, KeySource source);

 private:
  struct Holders {
    bool keyboard = false;
    int padInputs = 0;
  };
  static constexpr int kCodes = 256;  // every code a key or a pad input can have
  std::array<Holders, kCodes> keys_{};
};

}  // namespace platform
