// The pace at which a Wayland compositor takes new pictures of a window: one
// each time it says it is ready for the next. Presenting faster only makes
// the presenter wait for the compositor (and the game loop with it).
#pragma once

#include <chrono>
#include <cstdint>

struct wl_surface;
struct wl_callback;

namespace platform {

class WaylandFrames {
 public:
  using Clock = std::chrono::steady_clock;

  explicit WaylandFrames(wl_surface* surface) : surface_(surface) {}
  ~WaylandFrames();
  WaylandFrames(const WaylandFrames&) = delete;
  WaylandFrames& operator=(const WaylandFrames&) = delete;

  // Whether the compositor is ready for another picture: it has asked for
  // one since the last, or has not answered for a while (it says nothing for
  // a window it does not show yet).
  bool Ready(Clock::time_point now) const;
  // Just before presenting: asks the compositor to tell when it wants the next.
  void Presenting(Clock::time_point now);

 private:
  static void Done(void* self, wl_callback* callback, std::uint32_t time);

  wl_surface* surface_;
  wl_callback* waiting_ = nullptr;  // the compositor's answer still to come
  Clock::time_point asked_{};
};

}  // namespace platform
