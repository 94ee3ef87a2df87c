// Game pads through XInput, read as platform/pads.h says. The XInput DLL is
// loaded at run time by name, the newest there is (xinput1_4.dll, then
// xinput1_3.dll, then xinput9_1_0.dll); without any, there are no pads and no
// error. Once used, the DLL stays loaded to the process's end: it may run a
// thread of its own (Wine's watches for pads plugged in), which unloading it
// while that thread runs would leave running where its code was. XInput has
// no events: the four pad slots are read between frames, and a pad plugged in
// or out at any time is found at the next look.
#pragma once

#include <array>
#include <cstdint>

#include "platform/pads.h"

namespace platform {

class XInputPads {
 public:
  XInputPads();
  XInputPads(const XInputPads&) = delete;
  XInputPads& operator=(const XInputPads&) = delete;

  // Reads the pads that are due (`now` is the window's tick) and reports every
  // change since they were last read.
  void Update(std::int64_t now, const PadKeys::Change& change);
  // The tick at which a pad is next due to be read (kNever without XInput).
  std::int64_t NextLook() const;

 private:
  // XInputGetState, with its XINPUT_STATE behind the pointer.
  using GetState = unsigned long(__stdcall*)(unsigned long user, void* state);

  struct Slot {
    bool plugged = false;
    std::int64_t due = 0;  // when the slot is looked at again
    PadKeys keys;
  };

  GetState getState_ = nullptr;
  std::array<Slot, 4> slots_;  // XInput's four players
};

}  // namespace platform
