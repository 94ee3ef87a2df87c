// The keys the player's step and actions look at in KeyState.
#pragma once

#include <cstddef>

namespace keys {
inline constexpr std::size_t Ctrl = 17, Left = 37, Right = 39;
}
