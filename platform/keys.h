// The key codes: what the window reports for each key, what the game's key
// handlers receive, what indexes KeyState, and what replay scripts name. These
// are the platform's virtual-key codes; a letter's code is its capital's ASCII
// code and a digit's the digit's.
#pragma once

#include <cstdint>

namespace vk {

using Code = std::int16_t;

inline constexpr Code Backspace = 8, Tab = 9, Enter = 13, Shift = 16, Ctrl = 17, Alt = 18, Escape = 27, Space = 32,
                      Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Numpad0 = 96, F1 = 112;

constexpr Code Letter(char capital) { return Code(capital); }  // 'A' to 'Z'
constexpr Code Digit(int digit) { return Code('0' + digit); }  // 0 to 9

// The letters the game acts on: P pauses; W, S, A, D (steps of 1) and T, G,
// F, H (steps of 0.1) move the measuring image up, down, left and right.
inline constexpr Code P = Letter('P');
inline constexpr Code W = Letter('W'), S = Letter('S'), A = Letter('A'), D = Letter('D');
inline constexpr Code T = Letter('T'), G = Letter('G'), F = Letter('F'), H = Letter('H');

// Every key the game acts on. A web page keeps the browser's own use of these
// (scrolling, printing) from getting in the way of play.
inline constexpr Code kGameKeys[] = {Left, Right, Up, Down, Ctrl, Space, P, W, S, A, D, T, G, F, H};

}  // namespace vk
