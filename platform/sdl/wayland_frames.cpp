#include "platform/sdl/wayland_frames.h"

#include <wayland-client.h>

namespace platform {
namespace {

// How long to wait for the compositor's answer before presenting anyway.
constexpr auto kPatience = std::chrono::milliseconds(100);

}  // namespace

WaylandFrames::~WaylandFrames() {
  if (waiting_ != nullptr) wl_callback_destroy(waiting_);
}

bool WaylandFrames::Ready(Clock::time_point now) const { return waiting_ == nullptr || now - asked_ >= kPatience; }

void WaylandFrames::Presenting(Clock::time_point now) {
  static const wl_callback_listener listener{&WaylandFrames::Done};
  if (waiting_ != nullptr) wl_callback_destroy(waiting_);
  waiting_ = wl_surface_frame(surface_);
  asked_ = now;
  if (waiting_ != nullptr) wl_callback_add_listener(waiting_, &listener, this);
}

void WaylandFrames::Done(void* self, wl_callback* callback, std::uint32_t /*time*/) {
  auto& frames = *static_cast<WaylandFrames*>(self);
  wl_callback_destroy(callback);
  if (frames.waiting_ == callback) frames.waiting_ = nullptr;
}

}  // namespace platform
