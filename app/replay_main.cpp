// plinkard-replay [--trace FILE] [--png FILE] [--frames N] SCRIPT
// plinkard-replay --verify FILE... | --info FILE... | --link FILE
// Runs the game without a window, driven by SCRIPT, and writes what it saw;
// says on standard error when the run reaches the door. Or checks recordings
// against their result lines, says what they hold, or writes one as a link.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generated/version.h"
#include "platform/program.h"
#include "replay/link.h"
#include "replay/output_file.h"
#include "replay/recording.h"
#include "replay/replay.h"

namespace {

constexpr const char* kUsage =
    "usage: plinkard-replay [--trace FILE] [--png FILE] [--frames N] SCRIPT\n"
    "       plinkard-replay --verify FILE... | --info FILE... | --link FILE\n";
constexpr const char* kHelp =
    "Plays Plinkard without a window, driven by SCRIPT, a file of key events\n"
    "(one \"TIME ACTION [KEY]\" a line), and writes what it saw.\n"
    "\n"
    "  --trace FILE   write one CSV row per frame\n"
    "  --png FILE     write a picture of the last frame\n"
    "  --frames N     stop after N frames (1 to 2147483647)\n"
    "  --verify FILE  replay each recording and check it against its result lines\n"
    "  --info FILE    say what each recording holds, without replaying it\n"
    "  --link FILE    write the fragment of the recording's link to the game's page\n"
    "  --help         show this and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "SCRIPT or FILE may be - for standard input or output. Exit status: 0 for a\n"
    "run that ended (or recordings verified), 1 for a file that can't be read or\n"
    "written (or a recording that differs or is unfinished), 2 for a bad command\n"
    "line or script, 3 for a run that can never end. See plinkard-replay(6).\n";

enum class Mode { Replay, Verify, Info, Link };

struct Options {
  Mode mode = Mode::Replay;
  std::vector<std::string> files;  // the script, or the recordings
  std::optional<std::string> trace, png;
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
    } else if (arg == "--verify" || arg == "--info" || arg == "--link") {
      if (options.mode != Mode::Replay) throw UsageError{arg + " goes with no other of --verify, --info and --link"};
      options.mode = arg == "--verify" ? Mode::Verify : arg == "--info" ? Mode::Info : Mode::Link;
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
      options.files.push_back(arg);
    }
  }
  if (options.mode == Mode::Replay) {
    if (options.files.empty()) throw UsageError{"no script given"};
    if (options.files.size() > 1) throw UsageError{"more than one script given"};
    if (options.trace == "-" && options.png == "-")
      throw UsageError{"--trace and --png can't both write to standard output"};
    return options;
  }
  if (options.trace || options.png || options.frames) {
    throw UsageError{"--trace, --png and --frames go with a replay, not with --verify, --info or --link"};
  }
  if (options.files.empty()) throw UsageError{"no recording given"};
  if (options.mode == Mode::Link && options.files.size() > 1) throw UsageError{"--link takes one recording"};
  return options;
}

// A recording read for --verify, --info or --link; on failure, the line that
// says why and the exit status.
struct Read {
  std::string text;
  std::optional<replay::Recording> recording;
  std::string error;
};

Read ReadRecordingFile(const std::string& name) {
  Read read;
  const std::optional<std::string> text = replay::ReadScriptFile(name);
  if (!text) {
    read.error = name + ": can't read: " + std::strerror(errno);
    return read;
  }
  read.text = *text;
  try {
    read.recording = replay::ReadRecording(read.text, name);
  } catch (const replay::ScriptError& error) {
    read.error = error.what();
  }
  return read;
}

// Runs `each` on every file that is a recording; a file that is none is said
// on its line, with status 2. The status is the worst of them.
int ForEachRecording(const std::vector<std::string>& files,
                     const std::function<int(const std::string& name, const replay::Recording&)>& each) {
  int status = 0;
  for (const std::string& name : files) {
    const Read read = ReadRecordingFile(name);
    if (!read.recording) {
      std::printf("%s\n", read.error.c_str());
      status = 2;
      continue;
    }
    status = std::max(status, each(name, *read.recording));
  }
  return status;
}

// Each file's verdict on a line.
int VerifyAll(const std::vector<std::string>& files) {
  return ForEachRecording(files, [](const std::string& name, const replay::Recording& recording) {
    const replay::Verdict verdict = replay::Verify(recording);
    std::printf("%s: %s\n", name.c_str(), verdict.words.c_str());
    return verdict.kind == replay::Verdict::Kind::Verified ? 0 : 1;
  });
}

int Info(const std::vector<std::string>& files) {
  return ForEachRecording(files, [](const std::string& name, const replay::Recording& recording) {
    std::printf("%s", replay::Description(name, recording).c_str());
    return 0;
  });
}

int Link(const std::string& name) {
  const Read read = ReadRecordingFile(name);
  if (!read.recording) {
    std::fprintf(stderr, "%s\n", read.error.c_str());
    return 2;
  }
  std::printf("%s\n", replay::LinkFragment(read.text).c_str());
  return 0;
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

  if (options.mode == Mode::Verify) return VerifyAll(options.files);
  if (options.mode == Mode::Info) return Info(options.files);
  if (options.mode == Mode::Link) return Link(options.files.front());

  const std::string& name = options.files.front();
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
  const replay::Outcome outcome = replay::Replay(
      run, options.frames, replay::WriteAsItGoes(options.trace ? &trace : nullptr, false, replay::LineOn(stderr)));
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
