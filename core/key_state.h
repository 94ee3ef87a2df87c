// KeyState: which keys are held, by key code. The key handlers write it, the
// player's step, its jump and the measuring overlay read it, and a death
// clears it. Each game has its own.
#pragma once

#include <array>

#include "core/boolean.h"

namespace module1 {

inline constexpr int kKeyStateUpper = 100;  // KeyState has entries 0 to 100; codes 0 to 99 are recorded

// True while the key with that code is held.
using KeyStates = std::array<Boolean, kKeyStateUpper + 1>;

}  // namespace module1
