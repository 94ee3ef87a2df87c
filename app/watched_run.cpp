#include "app/watched_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/play.h"
#include "app/recorder.h"
#include "app/viewer.h"
#include "replay/output_file.h"
#include "replay/recording.h"
#include "replay/replay.h"
#include "replay/seekable_run.h"

namespace {

// The recording to watch, or the exit status for one that can't be.
std::optional<replay::Recording> ReadWatched(const std::string& name, int& status) {
  const std::optional<std::string> text = replay::ReadScriptFile(name);
  if (!text) {
    std::fprintf(stderr, "plinkard: %s: can't read: %s\n", name.c_str(), std::strerror(errno));
    status = 1;
    return std::nullopt;
  }
  try {
    return replay::ReadRecording(*text, name);
  } catch (const replay::ScriptError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    status = 2;
    return std::nullopt;
  }
}

}  // namespace

int PlayWatchedRun(const RunOptions& options, const platform::ViewOptions& view,
                   const std::function<void(platform::DesktopWindow&)>& prepare) {
  std::optional<replay::Recording> watched;
  if (options.play) {
    int status = 0;
    watched = ReadWatched(*options.play, status);
    if (!watched) return status;
  }
  replay::OutputFile record("plinkard"), trace("plinkard");
  if ((options.record && !record.Open(*options.record)) || (options.trace && !trace.Open(*options.trace))) return 1;
  if (trace.IsOpen()) trace.Write(replay::TraceHeader(), true);

  // The finish line goes to standard output, unless a file written there
  // would get it mixed in; playing without --record, nowhere.
  std::FILE* finish = nullptr;
  if (options.record || options.play) {
    finish = record.IsStandardOutput() || trace.IsStandardOutput() ? stderr : stdout;
  }
  int status = 0;
  if (watched) {
    replay::SeekableRun run(watched->script.events,
                            replay::WriteAsItGoes(trace.IsOpen() ? &trace : nullptr, true, nullptr));
    status = InDesktopWindow(view, [&](platform::DesktopWindow& window) {
      if (prepare) prepare(window);
      try {
        Viewer(window, run, replay::LineOn(finish)).Run();
      } catch (const platform::ProgramEnded&) {
        // the trace could not be written
      }
    });
  } else {
    const replay::FrameObserver afterFrame =
        replay::WriteAsItGoes(trace.IsOpen() ? &trace : nullptr, true, finish ? replay::LineOn(finish) : nullptr);
    RecordingWindow* recorder = nullptr;
    const WindowWrapper wrap = [&](platform::Window& real, const Game& game) -> std::unique_ptr<platform::Window> {
      if (!record.IsOpen()) return std::make_unique<WatchedWindow>(real, game, afterFrame);
      auto recording = std::make_unique<RecordingWindow>(real, game, &record, afterFrame);
      recorder = recording.get();
      return recording;
    };
    status = PlayInWindow(view, prepare, wrap, [&](const Game&) {
      if (recorder != nullptr) recorder->Finish();
    });
  }
  if (!record.Close()) status = 1;
  if (!trace.Close()) status = 1;
  return status;
}
