#include "platform/win32/pads.h"

#include <algorithm>

#include "platform/win32/windows_system.h"
#include "platform/window.h"

namespace platform {
namespace {

// A plugged-in pad is read at every look, about once a frame; an empty slot
// once a second, as asking after a pad that is not there is slow on Windows.
constexpr std::int64_t kPluggedPeriodMs = 10, kEmptyPeriodMs = 1000;

// XInput's buttons by position: A is the south face button, B east, X west,
// Y north. Its stick's y grows upwards.
PadReading Read(const XINPUT_GAMEPAD& pad) {
  const auto held = [&pad](WORD button) { return (pad.wButtons & button) != 0; };
  PadReading r;
  r.dpadLeft = held(XINPUT_GAMEPAD_DPAD_LEFT);
  r.dpadRight = held(XINPUT_GAMEPAD_DPAD_RIGHT);
  r.dpadUp = held(XINPUT_GAMEPAD_DPAD_UP);
  r.dpadDown = held(XINPUT_GAMEPAD_DPAD_DOWN);
  r.south = held(XINPUT_GAMEPAD_A);
  r.east = held(XINPUT_GAMEPAD_B);
  r.west = held(XINPUT_GAMEPAD_X);
  r.north = held(XINPUT_GAMEPAD_Y);
  r.rightShoulder = held(XINPUT_GAMEPAD_RIGHT_SHOULDER);
  r.start = held(XINPUT_GAMEPAD_START);
  r.stickX = pad.sThumbLX / 32768.0;
  r.stickY = -(pad.sThumbLY / 32768.0);
  return r;
}

}  // namespace

XInputPads::XInputPads() {
  for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
    HMODULE library = LoadLibraryW(name);
    if (library == nullptr) continue;
    getState_ = reinterpret_cast<GetState>(reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
    if (getState_ != nullptr) return;  // kept loaded: see pads.h
    FreeLibrary(library);
  }
}


void XInputPads::Update(std::int64_t now, const PadKeys::Change& change) {
  if (getState_ == nullptr) return;
  for (DWORD user = 0; user < slots_.size(); ++user) {
    Slot& slot = slots_[user];
    if (!slot.plugged && now < slot.due) continue;
    XINPUT_STATE state{};
    const bool plugged = getState_(user, &state) == ERROR_SUCCESS;
    if (plugged) {
      slot.keys.Update(Read(state.Gamepad), change);  // plugged in just now: whatever it holds
    } else if (slot.plugged) {
      slot.keys.Release(change);  // unplugged: it lets go of everything
    }
    slot.plugged = plugged;
    slot.due = now + (plugged ? kPluggedPeriodMs : kEmptyPeriodMs);
  }
}

std::int64_t XInputPads::NextLook() const {
  if (getState_ == nullptr) return kNever;
  std::int64_t next = kNever;
  for (const Slot& slot : slots_) next = std::min(next, slot.due);
  return next;
}

}  // namespace platform
