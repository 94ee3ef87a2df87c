// The keys the game acts on for the player, and what each does, the keys of
// a run being watched, and those for racing: the tables that plinkard's --help and the web
// page's strips of keys are written from.
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

// While a run is watched (plinkard --play, a run opened on the page).
inline constexpr KeyHelp kWatchKeyHelp[] = {
    {"P", "pause and resume", "P", "pause"},
    {"Left, Right", "while paused: the frame before or after (held: on and on)", "\u2190 \u2192",
     "paused: a frame back or on"},
    {"Up, Down", "twice or half as fast, from 1/8 to 8 times", "\u2191 \u2193", "faster, slower"},
    {"0 to 9", "jump to that many tenths of the run (5: half-way)", "0\u20139", "jump"},
    {"Home", "back to the first frame", "Home", "first frame"},
};

// Racing the level, playing or watching: keys away from the game's own, the
// desktop's and the browser's, and from the hand on the arrows.
inline constexpr KeyHelp kRaceKeyHelp[] = {
    {"I", "the timer and the splits on and off", "I", "timer"},
    {"J", "the ghost of the best run on and off", "J", "ghost of the best"},
    {"O", "the speed: 100%, 50%, 25%, and round again", "O", "speed"},
    {"K", "while paused: one frame on", "K", "paused: one frame"},
};
