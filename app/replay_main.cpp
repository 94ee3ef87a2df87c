// plinkard-replay [--trace FILE] [--png FILE] [--frames N] SCRIPT
// Runs the game without a window, driven by SCRIPT, and writes what it saw;
// says on standard error when the run reaches the door.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "generated/version.h"
#include "platform/program.h"
#include "replay/output_file.h"
#include "replay/replay.h"

namespace {

constexpr const char* kUsage = "usage: plinkard-replay [--trace FILE] [--png FILE] [--frames N] SCRIPT\n";
constexpr const char* kHelp =
    "Plays Plinkard without a window, driven by SCRIPT, a file of key events\n"
    "(one \"TIME ACTION [KEY]\" a line), and writes what it saw.\n"
    "\n"
    "  --trace FILE  write one CSV row per frame\n"
    "  --png FILE    write a picture of the last frame\n"
    "  --frames N    stop after N frames (1 to 2147483647)\n"
    "  --help        show this and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "SCRIPT or FILE may be - for standard input or output. Exit status: 0 for a\n"
    "run that ended, 1 for a file that can't be read or written, 2 for a bad\n"
    "command line or script, 3 for a run that can never end. See plinkard-replay(6).\n";

struct Options {
  std::optional<std::string> script, trace, png;
  std::optional<std::int64_t> frames;
  bool help = false, version = false;  // answer that and run nothing
};

struct UsageError {
  std::string what;
};

Options ReadCommandLine(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
      return argv[++i];
    };
    const auto once = [&](auto& slot) {
      if (slot) throw UsageError{arg + " given twice"};
    };
    if (arg == "--help" || arg == "--version") {
      (arg == "--help" ? options.help : options.version) = true;
      return options;
    } else if (arg == "--trace") {
      once(options.trace);
      options.trace = value();
    } else if (arg == "--png") {
      once(options.png);
      options.png = value();
    } else if (arg == "--frames") {
      once(options.frames);
      const std::string n = value();
      std::int64_t frames = 0;
      const auto [end, error] = std::from_chars(n.data(), n.data() + n.size(), frames);
      if (n.empty() || n[0] == '-' || n[0] == '+' || error != std::errc() || end != n.data() + n.size() || frames < 1 ||
          frames > 2147483647) {
        throw UsageError{"--frames wants a whole number from 1 to 2147483647, not \"" + n + "\""};
      }
      options.frames = frames;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else {
      if (options.script) throw UsageError{"more than one script given"};
      options.script = arg;
    }
  }
  if (!options.script) throw UsageError{"no script given"};
  if (options.trace == "-" && options.png == "-")
    throw UsageError{"--trace and --png can't both write to standard output"};
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  platform::Program program(argc, argv, "plinkard-replay");
  Options options;
  try {
    options = ReadCommandLine(program.Argc(), program.Argv());
  } catch (const UsageError& error) {
    std::fprintf(stderr, "plinkard-replay: %s\n%s", error.what.c_str(), kUsage);
    return 2;
  }
  if (options.help) {
    std::printf("%s\n%s", kUsage, kHelp);
    return 0;
  }
  if (options.version) {
    std::printf("plinkard-replay %s\n", PLINKARD_VERSION);
    return 0;
  }

  const std::string& name = *options.script;
  const std::optional<std::string> text = replay::ReadScriptFile(name);
  if (!text) {
    std::fprintf(stderr, "plinkard-replay: %s: can't read: %s\n", name.c_str(), std::strerror(errno));
    return 1;
  }
  replay::Script script;
  try {
    script = replay::ParseScript(*text, name);
    if (!script.closes && !options.frames) {
      throw replay::ScriptError(name + ": no close line and no --frames: the run would never end");
    }
  } catch (const replay::ScriptError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 2;
  }

  replay::OutputFile trace("plinkard-replay");
  if (options.trace) {
    if (!trace.Open(*options.trace)) return 1;
    trace.Write(replay::TraceHeader());
  }
  replay::HeadlessGame run(script.events);
  const replay::Outcome outcome =
      replay::Replay(run, options.frames, replay::WriteAsItGoes(options.trace ? &trace : nullptr, false, stderr));
  if (!trace.Close()) return 1;
  if (!outcome.canEnd) {
    std::fprintf(stderr,
                 "plinkard-replay: the game is paused and no event is left to deliver: the run can never end\n");
    return 3;
  }
  if (options.png) {
    replay::OutputFile png("plinkard-replay");
    if (!png.Open(*options.png)) return 1;
    png.Write(replay::Png(run.game.Stage1.BackImage));
    if (!png.Close()) return 1;
  }
  return 0;
}
