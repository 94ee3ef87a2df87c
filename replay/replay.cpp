#include "replay/replay.h"

#include <cstdio>

#include "core/layout.h"
#include "platform/headless_window.h"
#include "shell/module1.h"
#include "shell/stage1.h"

namespace replay {

std::optional<std::int64_t> FrameJustDrawn() {
  if (module1::Paused != False) return std::nullopt;
  return module1::NextFrameTick - layout::FrameMs;
}

Outcome Replay(const Script& script, std::optional<std::int64_t> frames, const FrameObserver& observe) {
  platform::HeadlessWindow window(script.events);
  Outcome outcome;
  window.OnPresent = [&](const platform::Surface&) {
    const std::optional<std::int64_t> tick = FrameJustDrawn();
    if (!tick) return;
    ++outcome.frames;
    if (observe) observe(outcome.frames, *tick, window.MessageBoxes());
    if (frames && outcome.frames == *frames) window.RequestClose();
  };

  platform::UseWindow(&window);
  try {
    CreateStage1();
  } catch (const platform::ProgramEnded&) {
  } catch (const platform::RunCannotEnd&) {
    outcome.canEnd = false;
  }
  platform::UseWindow(nullptr);
  outcome.deaths = window.MessageBoxes();
  return outcome;
}

std::string TraceHeader() {
  return "frame,tick,X,Y,XVel,YVel,XVelMax,Jumps,Picstate,Crouched,Visible,Flag1,Flag2,Door,Deaths,"
         "MeasureLeft,MeasureTop,Caption\n";
}

std::string TraceRow(std::int64_t frame, std::int64_t tick, int deaths) {
  const playercls& p = *module1::Player;
  char row[512];
  std::snprintf(row, sizeof row, "%lld,%lld,%.9g,%.9g,%.9g,%.9g,%.9g,%d,%d,%d,%d,%d,%d,%d,%d,%.9g,%.9g,\"%s\"\n",
                static_cast<long long>(frame), static_cast<long long>(tick), double(p.X), double(p.Y), double(p.XVel),
                double(p.YVel), double(p.XVelMax), p.Jumps, p.Picstate, p.Crouched, p.Visible, Stage1.Flag1->Raised,
                Stage1.Flag2->Raised, Stage1.Door1->Opened, deaths, double(Stage1.measure.Left),
                double(Stage1.measure.Top), Stage1.Caption.c_str());
  return row;
}

FrameObserver WriteAsItGoes(OutputFile* trace, bool flushEachRow, std::FILE* finish) {
  return [trace, flushEachRow, finish, finished = false](std::int64_t frame, std::int64_t tick, int deaths) mutable {
    if (trace != nullptr && !trace->Write(TraceRow(frame, tick, deaths), flushEachRow)) throw platform::ProgramEnded{};
    if (finish != nullptr && !finished && Stage1.Door1->Opened != False) {
      finished = true;
      std::fprintf(finish, "%s\n", FinishLine(frame, deaths).c_str());
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
