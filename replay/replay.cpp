#include "replay/replay.h"

#include <cstdio>

#include "core/layout.h"

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

FrameObserver WriteAsItGoes(OutputFile* trace, bool flushEachRow, std::FILE* finish) {
  return [trace, flushEachRow, finish, finished = false](const Game& game) mutable {
    if (trace != nullptr && !trace->Write(TraceRow(game), flushEachRow)) throw platform::ProgramEnded{};
    if (finish != nullptr && !finished && game.Door1.Opened != False) {
      finished = true;
      std::fprintf(finish, "%s\n", FinishLine(game.FramesDrawn, game.Deaths).c_str());
      std::fflush(finish);
    }
  };
}

std::string FinishLine(std::int64_t frame, int deaths) {
  const long long ms = frame * layout::FrameMs;  // the game time, a frame every FrameMs
  char line[128];
  std::snprintf(line, sizeof line, "Door opened at frame %lld: %lld.%02lld s, %d death%s",
                static_cast<long long>(frame), ms / 1000, ms % 1000 / 10, deaths, deaths == 1 ? "" : "s");
  return line;
}

}  // namespace replay
