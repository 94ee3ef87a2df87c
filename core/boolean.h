// The game's Boolean: 16 bits, True is -1 and False is 0. Tests compare with
// True or with False exactly, as the code says, so other values are possible and
// mean what each test makes of them.
#pragma once

#include <cstdint>

using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;
