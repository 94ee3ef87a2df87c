#include "app/watched_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/best.h"
#include "app/livesplit.h"
#include "app/play.h"
#include "app/race_window.h"
#include "app/recorder.h"
#include "app/viewer.h"
#include "core/layout.h"
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

void SayOnStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

}  // namespace

int PlayWatchedRun(const RunOptions& options, const RaceOptions& race, const platform::ViewOptions& view,
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
  // A new best is news, said where the finish line goes (or on standard
  // output); what went wrong ("plinkard: ..."), with the ghost or the
  // best, goes to standard error.
  const auto say = [news = finish != nullptr ? finish : stdout](const std::string& line) {
    std::fprintf(line.rfind("plinkard:", 0) == 0 ? stderr : news, "%s\n", line.c_str());
    std::fflush(news);
  };
  const std::unique_ptr<platform::KeptTexts> kept = platform::PlayersKeptTexts();
  BestStore best(kept.get(), SayOnStandardError);
  const std::unique_ptr<LiveSplit> splitTimer = ConnectLiveSplit(options);
  std::unique_ptr<RaceWindow> racing;
  int status = 0;
  if (watched) {
    const replay::FrameObserver traced = replay::WriteAsItGoes(trace.IsOpen() ? &trace : nullptr, true, nullptr);
    replay::SeekableRun run(watched->script.events, [&](const Game& game) {
      if (traced) traced(game);
      if (racing) racing->See(game);
    });
    status = InDesktopWindow(view, [&](platform::DesktopWindow& window) {
      if (prepare) prepare(window);
      Viewer* viewer = nullptr;
      racing = std::make_unique<RaceWindow>(
          window,
          RaceDriver{.shown = [&]() -> const Game& { return viewer->Shown(); },
                     .paused = [&] { return viewer->Paused(); },
                     .setSpeed = [&](int percent) { viewer->SetSpeed(percent); },
                     .watching = true,
                     .runText = {}},
          race, &best, splitTimer.get(), say);
      try {
        Viewer shown(*racing, run, replay::LineOn(finish));
        viewer = &shown;
        shown.SetSpeed(race.speed);
        shown.Run();
      } catch (const platform::ProgramEnded&) {
        // the trace could not be written
      }
    });
  } else {
    const replay::FrameObserver afterFrame =
        replay::WriteAsItGoes(trace.IsOpen() ? &trace : nullptr, true, finish ? replay::LineOn(finish) : nullptr);
    RecordingWindow* recorder = nullptr;  // the window the game runs on, PlayInWindow's
    const WindowWrapper wrap = [&](platform::Window& real, Game& game) -> std::unique_ptr<platform::Window> {
      game.FramePeriod = layout::FrameMs * 100 / race.speed;
      racing = std::make_unique<RaceWindow>(
          real,
          RaceDriver{.shown = [&game]() -> const Game& { return game; },
                     .paused = [&game] { return game.Paused != False; },
                     .setSpeed = [&game](int percent) { game.FramePeriod = layout::FrameMs * 100 / percent; },
                     .runText = [&] { return recorder->Finished(); }},
          race, &best, splitTimer.get(), say);
      auto recording = std::make_unique<RecordingWindow>(*racing, game, record.IsOpen() ? &record : nullptr, afterFrame);
      recorder = recording.get();
      return recording;
    };
    status = PlayInWindow(view, prepare, wrap, [&](const Game&) { recorder->Finish(); });
  }
  if (!record.Close()) status = 1;
  if (!trace.Close()) status = 1;
  return status;
}
