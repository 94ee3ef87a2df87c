// Game pads, through SDL's game controller mapping: the D-pad and the left
// stick are the arrow keys, the face buttons, the right shoulder and Start are
// the keys they stand for. Pads are opened as they are plugged in, before or
// during play, and let go of everything they held when unplugged.
#pragma once

#include <SDL.h>

#include <bitset>
#include <functional>
#include <vector>

#include "platform/keys.h"

namespace platform {

class SdlPads {
 public:
  // A pad input starting (down) or stopping to hold the key it stands for.
  using Change = std::function<void(vk::Code code, bool down)>;

  SdlPads();
  ~SdlPads();
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;

  bool Any() const { return !pads_.empty(); }
  // Takes a controller event: opens or closes a pad, or reports what changed.
  void Handle(const SDL_Event& event, const Change& change);
  // Reports every change since the pads were last looked at.
  void Update(const Change& change);

  static constexpr std::size_t kInputs = 14;  // the entries of the input table

 private:
  struct Pad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    std::bitset<kInputs> held;
  };
  void Open(int deviceIndex, const Change& change);
  void Close(SDL_JoystickID id, const Change& change);
  static void Update(Pad& pad, std::bitset<kInputs> now, const Change& change);

  bool available_ = false;
  std::vector<Pad> pads_;
};

}  // namespace platform
