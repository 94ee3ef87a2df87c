#include "core/key_state.h"

namespace module1 {

std::array<Boolean, kKeyStateUpper + 1> KeyState{};

}  // namespace module1
