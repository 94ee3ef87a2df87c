#include "platform/sdl/pads.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// The stick holds a direction once pushed half-way, and lets go of it once
// back within a third: a dead zone around the middle, and no flicker at the edge.
constexpr int kStickPress = 16384, kStickRelease = 10923;

// A button, or one direction of the left stick (axis with sign), and the key it stands for.
struct PadInput {
  SDL_GameControllerButton button;
  SDL_GameControllerAxis axis;
  int sign;
  vk::Code key;
};

constexpr SDL_GameControllerButton kNoButton = SDL_CONTROLLER_BUTTON_INVALID;
constexpr SDL_GameControllerAxis kNoAxis = SDL_CONTROLLER_AXIS_INVALID;

// Buttons by position: A is the south face button (cross), B east (circle),
// X west (square), Y north (triangle).
constexpr std::array<PadInput, SdlPads::kInputs> kInputTable{{
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kNoAxis, 0, vk::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kNoAxis, 0, vk::Right},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kNoAxis, 0, vk::Up},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kNoAxis, 0, vk::Down},
    {kNoButton, SDL_CONTROLLER_AXIS_LEFTX, -1, vk::Left},
    {kNoButton, SDL_CONTROLLER_AXIS_LEFTX, +1, vk::Right},
    {kNoButton, SDL_CONTROLLER_AXIS_LEFTY, -1, vk::Up},  // the stick's y grows downwards
    {kNoButton, SDL_CONTROLLER_AXIS_LEFTY, +1, vk::Down},
    {SDL_CONTROLLER_BUTTON_A, kNoAxis, 0, vk::Up},
    {SDL_CONTROLLER_BUTTON_X, kNoAxis, 0, vk::Ctrl},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kNoAxis, 0, vk::Ctrl},
    {SDL_CONTROLLER_BUTTON_Y, kNoAxis, 0, vk::Space},
    {SDL_CONTROLLER_BUTTON_B, kNoAxis, 0, vk::Space},
    {SDL_CONTROLLER_BUTTON_START, kNoAxis, 0, vk::P},
}};

}  // namespace

SdlPads::SdlPads() {
  // Face buttons by position on every pad, also where the labels differ.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  // Without pads the keyboard still plays: a failure here is no error.
  available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlPads::~SdlPads() {
  for (Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  if (available_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlPads::Handle(const SDL_Event& event, const Change& change) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which, change); break;
    case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which, change); break;
    default: Update(change); break;
  }
}

void SdlPads::Open(int deviceIndex, const Change& change) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; })) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  pads_.push_back(Pad{controller, id, {}});
  Update(change);  // whatever is held as it is plugged in
}

void SdlPads::Close(SDL_JoystickID id, const Change& change) {
  const auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  if (pad == pads_.end()) return;
  Update(*pad, {}, change);
  SDL_GameControllerClose(pad->controller);
  pads_.erase(pad);
}

void SdlPads::Update(const Change& change) {
  for (Pad& pad : pads_) {
    std::bitset<kInputs> now;
    for (std::size_t i = 0; i < kInputs; ++i) {
      const PadInput& input = kInputTable[i];
      if (input.button != kNoButton) {
        now[i] = SDL_GameControllerGetButton(pad.controller, input.button) != 0;
      } else {
        const int pushed = input.sign * int(SDL_GameControllerGetAxis(pad.controller, input.axis));
        now[i] = pushed >= (pad.held[i] ? kStickRelease : kStickPress);
      }
    }
    Update(pad, now, change);
  }
}

void SdlPads::Update(Pad& pad, std::bitset<kInputs> now, const Change& change) {
  for (std::size_t i = 0; i < kInputs; ++i) {
    if (now[i] == pad.held[i]) continue;
    pad.held[i] = now[i];
    change(kInputTable[i].key, now[i]);
  }
}

}  // namespace platform
