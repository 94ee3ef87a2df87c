#include "app/command_line.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/key_help.h"

namespace {

struct OptionEntry {
  const char* name;   // as typed
  const char* value;  // the value that follows it, as the usage names it; nullptr for none
  const char* needs;  // what to say when the value is missing
  bool orPrevious;    // in the usage, an alternative to the entry before it
  const char* help;
  // Takes the option into the options; answers what is wrong, or "".
  std::string (*take)(Options& options, std::string_view name, std::string_view value);
};

std::string TakeScale(Options& options, std::string_view name, std::string_view value) {
  if (value == "auto") {
    options.view.scale = platform::kScaleToFit;
    return "";
  }
  int factor = 0;
  const char* end = value.data() + value.size();
  const auto read = std::from_chars(value.data(), end, factor);
  if (read.ec != std::errc() || read.ptr != end || factor < 1 || factor > platform::kLargestScale) {
    return std::string(name) + " wants a whole number from 1 to " + std::to_string(platform::kLargestScale) +
           ", or auto, not \"" + std::string(value) + "\"";
  }
  options.view.scale = factor;
  return "";
}

std::string TakeLiveSplit(Options& options, std::string_view name, std::string_view value) {
  options.run.livesplit = ParseLiveSplitAddress(value);
  if (options.run.livesplit) return "";
  return std::string(name) + " wants [HOST:]PORT, such as 16834 or 192.168.1.20:16834, not \"" + std::string(value) +
         "\"";
}

// A file option, given once at most, into the slot `at` finds.
template <std::optional<std::string>& (*at)(Options&)>
std::string TakeFile(Options& options, std::string_view name, std::string_view value) {
  std::optional<std::string>& slot = at(options);
  if (slot) return std::string(name) + " given twice";
  slot = std::string(value);
  return "";
}
std::optional<std::string>& Record(Options& o) { return o.run.record; }
std::optional<std::string>& Play(Options& o) { return o.run.play; }
std::optional<std::string>& Trace(Options& o) { return o.run.trace; }
std::optional<std::string>& Ghost(Options& o) { return o.race.ghost; }
std::optional<std::string>& BestToImport(Options& o) { return o.importBest; }

std::string TakeSpeed(Options& options, std::string_view name, std::string_view value) {
  for (const int speed : kSpeeds) {
    if (value == std::to_string(speed) || value == std::to_string(speed) + "%") {
      options.race.speed = speed;
      return "";
    }
  }
  return std::string(name) + " wants 100, 50 or 25, not \"" + std::string(value) + "\"";
}

constexpr const char* kFile = "a file";
static_assert(platform::kLargestScale == 8, "the --scale entry below says 1 to 8");

// The options: adding one is adding its entry here. Of --fullscreen and
// --window the later wins.
constexpr OptionEntry kOptions[] = {
    {"--fullscreen", nullptr, nullptr, false, "start fullscreen; F11 or Alt+Enter switches at any time",
     [](Options& o, std::string_view, std::string_view) {
       o.view.fullscreen = true;
       return std::string();
     }},
    {"--window", nullptr, nullptr, true, "start in a window (the default)",
     [](Options& o, std::string_view, std::string_view) {
       o.view.fullscreen = false;
       return std::string();
     }},
    {"--scale", "N|auto", "a whole number from 1 to 8, or auto", false,
     "magnify the picture N times (1 to 8) or as much as fits, centred on black", TakeScale},
    {"--record", "FILE", kFile, false, "write what the player does to FILE as a replay script",
     TakeFile<Record>},
    {"--play", "FILE", kFile, true, "watch the run in FILE (- for standard input), with the keys below",
     TakeFile<Play>},
    {"--trace", "FILE", kFile, false, "write the replay's trace, one row per frame, to FILE",
     TakeFile<Trace>},
    {"--timer", nullptr, nullptr, false, "show the timer and the splits against the best (I turns it on and off)",
     [](Options& o, std::string_view, std::string_view) {
       o.race.timer = true;
       return std::string();
     }},
    {"--ghost", "FILE|best", "a file, or best", false,
     "race the ghost of the run in FILE, or of the best kept (J: the best's on and off)", TakeFile<Ghost>},
    {"--speed", "PERCENT", "100, 50 or 25", false, "play at 100, 50 or 25 percent of the speed (O changes it)",
     TakeSpeed},
    {"--livesplit", "[HOST:]PORT", "[HOST:]PORT", false,
     "tell LiveSplit's server of the splits and pauses (HOST 127.0.0.1 unless given; its port: 16834)", TakeLiveSplit},
    {"--import-best", "FILE", kFile, false,
     "keep the run in FILE as the best if it verifies and beats the best, and exit", TakeFile<BestToImport>},
    {"--help", nullptr, nullptr, false, "show this and exit",
     [](Options& o, std::string_view, std::string_view) {
       o.help = true;
       return std::string();
     }},
    {"--version", nullptr, nullptr, false, "show the version and exit",
     [](Options& o, std::string_view, std::string_view) {
       o.version = true;
       return std::string();
     }},
};

constexpr const char* kBestFolder =
    "$XDG_DATA_HOME/plinkard (~/.local/share/plinkard) on Linux,\n%APPDATA%\\Plinkard on Windows";

constexpr const char* kAbout = "Plays Plinkard, a side-view platform game, in a maximized window.\n";

constexpr const char* kPadsAndStatus =
    "\n"
    "Game pad:\n"
    "  D-pad, left stick                 Left, Right, Up, Down\n"
    "  A / cross (south)                 Up: jump\n"
    "  X / square (west), right shoulder Ctrl: run while held\n"
    "  Y / triangle, B / circle          Space\n"
    "  Start                             P: pause\n"
    "\n"
    "Exit status: 0 once the window is closed, 1 when no window can be opened\n"
    "(no display) or a file can't be read or written, 2 for a bad command line\n"
    "or script. See plinkard(6).\n";

const OptionEntry* Find(std::string_view name) {
  for (const OptionEntry& entry : kOptions) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

std::string Synopsis(const OptionEntry& entry) {
  return std::string(entry.name) + (entry.value != nullptr ? std::string(" ") + entry.value : "");
}

// A line of the help: what it is about, padded to a column of its own, and what it says.
std::string HelpLine(std::string_view what, std::string_view says) {
  std::string line(what);
  line.resize(std::max<std::size_t>(line.size() + 2, 20), ' ');
  return "  " + line + std::string(says) + "\n";
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const OptionEntry* entry = arg.starts_with("--") ? Find(name) : nullptr;
    if (entry == nullptr) {
      line.error = "unknown argument " + std::string(arg);
      return line;
    }
    std::string_view value;
    if (entry->value == nullptr) {
      if (equals != std::string_view::npos) {
        line.error = std::string(name) + " takes no value";
        return line;
      }
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      line.error = std::string(name) + " needs " + entry->needs;
      return line;
    }
    line.error = entry->take(line.options, name, value);
    if (!line.error.empty()) return line;
  }
  line.error = CheckRunOptions(line.options.run);
  if (line.error.empty() && line.options.race.ghost == "-" && line.options.run.play == "-") {
    line.error = "--ghost and --play can't both read standard input";
  }
  return line;
}

std::string Usage() {
  // One bracket a word, wrapped under the first at 79 columns.
  std::vector<std::string> words;
  for (const OptionEntry& entry : kOptions) {
    if (entry.orPrevious) {
      words.back().pop_back();
      words.back() += " | ";
      words.back() += Synopsis(entry);
      words.back() += ']';
    } else {
      words.emplace_back(1, '[');
      words.back() += Synopsis(entry);
      words.back() += ']';
    }
  }
  const std::string start = "usage: plinkard";
  std::string usage = start;
  std::size_t lineStart = 0;
  for (const std::string& word : words) {
    if (usage.size() - lineStart + 1 + word.size() > 79) {
      usage += '\n';
      lineStart = usage.size();
      usage.append(start.size(), ' ');
    }
    usage += ' ';
    usage += word;
  }
  return usage + '\n';
}

std::string Help() {
  std::string help = Usage() + "\n" + kAbout + "\n";
  for (const OptionEntry& entry : kOptions) help += HelpLine(Synopsis(entry), entry.help);
  help += "\nKeys:\n";
  for (const KeyHelp& key : kKeyHelp) help += HelpLine(key.keys, key.does);
  help += HelpLine("F11, Alt+Enter", "fullscreen on and off");  // the desktop window's own
  help += "\nWatching a run (--play):\n";
  for (const KeyHelp& key : kWatchKeyHelp) help += HelpLine(key.keys, key.does);
  help += "\nRacing, playing or watching (the best is kept in ";
  help += kBestFolder;
  help += "):\n";
  for (const KeyHelp& key : kRaceKeyHelp) help += HelpLine(key.keys, key.does);
  return help + kPadsAndStatus;
}
