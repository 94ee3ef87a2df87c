// The game with its clock moved: plinkard-shifted-clock TICK starts the game's
// tick at TICK milliseconds, so that tests can run it across any tick value.
#include <chrono>
#include <cstdlib>

#include "app/play.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::int64_t start = std::atoll(argv[1]);
  return PlayInWindow({},
                      [start](platform::DesktopWindow& window) { window.ShiftClock(start - window.GetTickCount()); });
}
