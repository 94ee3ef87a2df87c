// Replay scripts: one event per line, "TIME ACTION [KEY]".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/scripted_event.h"

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

// A whole script file ("-" is standard input), or nullopt (with errno set)
// when it can't be read. Stops reading past the size limit: such a script is
// refused anyway.
std::optional<std::string> ReadScriptFile(const std::string& path);

// Writing scripts: a key's name as a script spells it ("Left", "P", "7", or
// the code itself, at least two characters: "05", "112"), and one event's line,
// ending in a newline ("10    down Right", "2000  close").
std::string KeyName(std::int16_t code);
std::string ScriptLine(const platform::ScriptedEvent& event);

}  // namespace replay
