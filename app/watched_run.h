// The game in the window, played or watched (--play), recorded (in memory
// for the best, and with --record to a file), traced, raced (the timer, the
// ghost, the speed): its files opened (or refused) before the window opens,
// the window wrapped for all of it, and the finish line when the door opens.
#pragma once

#include <functional>

#include "app/run_options.h"
#include "platform/desktop_window.h"
#include "platform/presentation.h"

// Answers the process's exit status: 0 for a run that ended, 1 for a file that
// can't be read or written (one line on standard error), 2 for a bad script.
// `prepare` may adjust the window before the game starts.
int PlayWatchedRun(const RunOptions& options, const RaceOptions& race, const platform::ViewOptions& view,
                   const std::function<void(platform::DesktopWindow&)>& prepare = {});
