// Replay scripts: one event per line, "TIME ACTION [KEY]".
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless_window.h"

namespace replay {

// What is wrong with a script, already written as the one line to print:
// "SCRIPT:LINE: what is wrong" or "SCRIPT: what is wrong".
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Script {
  std::vector<platform::ScriptedEvent> events;  // in the order written; a tap is a down and an up
  bool closes = false;                          // has a close line
};

// The largest script read: far more than any run needs.
inline constexpr std::size_t kMaxScriptBytes = std::size_t(64) << 20;

// Reads a script's text; `name` is how errors name it. Throws ScriptError.
Script ParseScript(std::string_view text, const std::string& name);

}  // namespace replay
