// The keys the game acts on for the player, and what each does: the one table
// that plinkard's --help and the web page's strip of keys are written from.
#pragma once

#include <string_view>

struct KeyHelp {
  std::string_view keys;  // as --help names them: "Left, Right"
  std::string_view does;  // --help's line
  // On the page: the keys as its strip shows them, one key a word ("← →"),
  // and what they do in a few words.
  std::string_view pageKeys;
  std::string_view briefly;
};

inline constexpr KeyHelp kKeyHelp[] = {
    {"Left, Right", "walk (hold)", "\u2190 \u2192", "walk"},
    {"Ctrl", "run while held", "Ctrl", "run"},
    {"Up", "jump; again in mid-air for a second jump; stand up when crouched", "\u2191",
     "jump, again in the air to jump twice"},
    {"Down", "crouch (also in mid-air) to get through small spaces", "\u2193", "crouch"},
    {"Space", "raise a flag standing at its pole; open the door standing at it", "Space",
     "raise a flag, open the door"},
    {"P", "pause and resume", "P", "pause"},
};
