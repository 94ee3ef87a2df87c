// The stage window's flags and door, as the player's actions reach them: the
// window points these at its own Flag1, Flag2 and Door1 when start-up creates
// them.
#pragma once

#include "objects/doorcls.h"
#include "objects/flagcls.h"

namespace stage {

inline flagcls* Flag1 = nullptr;
inline flagcls* Flag2 = nullptr;
inline doorcls* Door1 = nullptr;

}  // namespace stage
