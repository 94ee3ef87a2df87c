#include "replay/replay.h"

#include <cstdio>

#include "replay/recording.h"

namespace replay {

Outcome Replay(HeadlessGame& run, std::optional<std::int64_t> frames, const FrameObserver& observe) {
  const Game& game = run.game;
  run.window.OnPresent = [&](const platform::Surface&) {
    if (!PresentEndsFrame(game)) return;
    if (observe) observe(game);
    if (frames && game.FramesDrawn == *frames) run.window.RequestClose();
  };
  Outcome outcome;
  try {
    run.game.Form_Load();
  } catch (const platform::ProgramEnded&) {
  } catch (const platform::RunCannotEnd&) {
    outcome.canEnd = false;
  }
  run.window.OnPresent = nullptr;
  outcome.frames = game.FramesDrawn;
  outcome.deaths = game.Deaths;
  return outcome;
}

std::string TraceHeader() {
  return "frame,tick,X,Y,XVel,YVel,XVelMax,Jumps,Picstate,Crouched,Visible,Flag1,Flag2,Door,Deaths,"
         "MeasureLeft,MeasureTop,Caption\n";
}

namespace {

// The columns from X to MeasureTop.
std::string StateColumns(const Game& game) {
  const playercls& p = game.Player;
  char columns[384];
  std::snprintf(columns, sizeof columns, "%.9g,%.9g,%.9g,%.9g,%.9g,%d,%d,%d,%d,%d,%d,%d,%d,%.9g,%.9g", double(p.X),
                double(p.Y), double(p.XVel), double(p.YVel), double(p.XVelMax), p.Jumps, p.Picstate, p.Crouched,
                p.Visible, game.Flag1.Raised, game.Flag2.Raised, game.Door1.Opened, game.Deaths,
                double(game.Stage1.measure.Left), double(game.Stage1.measure.Top));
  return columns;
}

}  // namespace

std::string TraceRow(const Game& game) {
  return std::to_string(game.FramesDrawn) + "," + std::to_string(game.FrameTick()) + "," + StateColumns(game) + ",\"" +
         game.Stage1.Caption + "\"\n";
}

std::string StateRow(const Game& game) { return std::to_string(game.FramesDrawn) + "," + StateColumns(game) + "\n"; }

FinishLineTo LineOn(std::FILE* stream) {
  return [stream](const std::string& line) {
    std::fprintf(stream, "%s\n", line.c_str());
    std::fflush(stream);
  };
}

FrameObserver WriteAsItGoes(OutputFile* trace, bool flushEachRow, FinishLineTo finish) {
  return [trace, flushEachRow, finish = std::move(finish), finished = false](const Game& game) mutable {
    if (trace != nullptr && !trace->Write(TraceRow(game), flushEachRow)) throw platform::ProgramEnded{};
    if (finish && !finished && game.Door1.Opened != False) {
      finished = true;
      finish(FinishLine(game.FramesDrawn, game.Deaths));
    }
  };
}

std::string FinishLine(std::int64_t frame, int deaths) {
  return "Door opened at frame " + std::to_string(frame) + ": " + Seconds(frame) + ", " + Deaths(deaths);
}

}  // namespace replay
