// Game pads, through SDL's game controller mapping, read as platform/pads.h
// says. Pads are opened as they are plugged in, before or during play, and
// let go of everything they held when unplugged.
#pragma once

#include <SDL.h>

#include <functional>
#include <vector>

#include "platform/pads.h"

namespace platform {

class SdlPads {
 public:
  using Change = PadKeys::Change;

  SdlPads();
  ~SdlPads();
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;

  bool Any() const { return !pads_.empty(); }
  // Takes a controller event: opens or closes a pad, or reports what changed.
  void Handle(const SDL_Event& event, const Change& change);
  // Reports every change since the pads were last looked at.
  void Update(const Change& change);

 private:
  struct Pad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    PadKeys keys;
  };
  void Open(int deviceIndex, const Change& change);
  void Close(SDL_JoystickID id, const Change& change);

  bool available_ = false;
  std::vector<Pad> pads_;
};

}  // namespace platform
