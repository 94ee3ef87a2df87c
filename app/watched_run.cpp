#include "app/watched_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/play.h"
#include "app/playback.h"
#include "app/recorder.h"
#include "replay/script.h"
#include "shell/stage1.h"

namespace {

// An output file, created before the window opens.
struct Output {
  std::string name;
  std::FILE* file = nullptr;

  // False (with the one line said) when it can't be created.
  bool Open(const std::optional<std::string>& path) {
    if (!path) return true;
    name = *path;
    file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) std::fprintf(stderr, "plinkard: %s: can't write: %s\n", name.c_str(), std::strerror(errno));
    return file != nullptr;
  }
  // False (with the one line said) when something written was lost.
  bool Close() {
    if (file == nullptr) return true;
    const bool failed = std::ferror(file) != 0;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (failed || !closed) std::fprintf(stderr, "plinkard: %s: can't write\n", name.c_str());
    return !failed && closed;
  }
  ~Output() { Close(); }
};

}  // namespace

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
  Output record, trace;
  if (!record.Open(options.record) || !trace.Open(options.trace)) return 1;
  if (trace.file != nullptr) std::fputs(replay::TraceHeader().c_str(), trace.file);

  const bool announceFinish = options.record || options.play;
  bool finished = false;
  const replay::FrameObserver afterFrame = [&](std::int64_t frame, std::int64_t tick, int deaths) {
    if (trace.file != nullptr) {
      std::fputs(replay::TraceRow(frame, tick, deaths).c_str(), trace.file);
      std::fflush(trace.file);
    }
    if (announceFinish && !finished && Stage1.Door1->Opened != False) {
      finished = true;
      std::printf("%s\n", replay::FinishLine(frame, deaths).c_str());
      std::fflush(stdout);
    }
  };

  int status = PlayInWindow(view, {}, [&](platform::Window& real) -> std::unique_ptr<platform::Window> {
    if (script) return std::make_unique<PlaybackWindow>(real, script->events, afterFrame);
    if (record.file != nullptr) return std::make_unique<RecordingWindow>(real, record.file, afterFrame);
    return std::make_unique<WatchedWindow>(real, afterFrame);
  });
  if (!record.Close()) status = 1;
  if (!trace.Close()) status = 1;
  return status;
}
