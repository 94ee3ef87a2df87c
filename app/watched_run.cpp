#include "app/watched_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/play.h"
#include "app/playback.h"
#include "app/recorder.h"
#include "replay/output_file.h"
#include "replay/replay.h"
#include "replay/script.h"

int PlayWatchedRun(const RunOptions& options, const platform::ViewOptions& view) {
  std::optional<replay::Script> script;
  if (options.play) {
    const std::optional<std::string> text = replay::ReadScriptFile(*options.play);
    if (!text) {
      std::fprintf(stderr, "plinkard: %s: can't read: %s\n", options.play->c_str(), std::strerror(errno));
      return 1;
    }
    try {
      script = replay::ParseScript(*text, *options.play);
    } catch (const replay::ScriptError& error) {
      std::fprintf(stderr, "%s\n", error.what());
      return 2;
    }
  }
  replay::OutputFile record("plinkard"), trace("plinkard");
  if ((options.record && !record.Open(*options.record)) || (options.trace && !trace.Open(*options.trace))) return 1;
  if (trace.IsOpen()) trace.Write(replay::TraceHeader(), true);

  // The finish line goes to standard output, unless a file written there
  // would get it mixed in.
  std::FILE* finish = nullptr;
  if (options.record || options.play) {
    finish = record.IsStandardOutput() || trace.IsStandardOutput() ? stderr : stdout;
  }
  const replay::FrameObserver afterFrame = replay::WriteAsItGoes(trace.IsOpen() ? &trace : nullptr, true, finish);

  int status =
      PlayInWindow(view, {}, [&](platform::Window& real, const Game& game) -> std::unique_ptr<platform::Window> {
        if (script) return std::make_unique<PlaybackWindow>(real, game, script->events, afterFrame);
        if (record.IsOpen()) return std::make_unique<RecordingWindow>(real, game, record, afterFrame);
        return std::make_unique<WatchedWindow>(real, game, afterFrame);
      });
  if (!record.Close()) status = 1;
  if (!trace.Close()) status = 1;
  return status;
}
