// The pace of pictures on Wayland: after a picture, the next waits for the
// compositor's "done" for it, or for 100 ms when none comes (a compositor
// says nothing for a window it does not show). The compositor here is the
// test, at the other end of the connection.
#include "platform/sdl/wayland_frames.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Clock = platform::WaylandFrames::Clock;
using std::chrono::milliseconds;

class FakeCompositor : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends_), 0);
    display_ = wl_display_connect_to_fd(ends_[0]);
    ASSERT_NE(display_, nullptr);
    // Requests only: nothing needs an answer before a frame is asked for.
    registry_ = wl_display_get_registry(display_);
    compositor_ = static_cast<wl_compositor*>(wl_registry_bind(registry_, 1, &wl_compositor_interface, 1));
    surface_ = wl_compositor_create_surface(compositor_);
  }
  void TearDown() override {
    wl_surface_destroy(surface_);
    wl_compositor_destroy(compositor_);
    wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
    close(ends_[1]);
  }

  // The ids of the callbacks the client asked for with wl_surface.frame, in
  // order, as the compositor reads them off the connection.
  std::vector<std::uint32_t> FramesAskedFor() {
    EXPECT_GE(wl_display_flush(display_), 0);
    std::uint8_t bytes[4096];
    const ssize_t got = recv(ends_[1], bytes, sizeof bytes, MSG_DONTWAIT);
    if (got > 0) wire_.insert(wire_.end(), bytes, bytes + got);
    std::vector<std::uint32_t> callbacks;
    std::size_t at = 0;
    while (at + 8 <= wire_.size()) {
      std::uint32_t header[3];
      std::memcpy(header, &wire_[at], 8);
      const std::size_t size = header[1] >> 16, opcode = header[1] & 0xffff;
      if (size < 8 || at + size > wire_.size()) break;
      constexpr std::size_t kFrame = 3;  // wl_surface.frame(new_id callback)
      if (header[0] == wl_proxy_get_id(reinterpret_cast<wl_proxy*>(surface_)) && opcode == kFrame) {
        std::memcpy(&header[2], &wire_[at + 8], 4);
        callbacks.push_back(header[2]);
      }
      at += size;
    }
    wire_.erase(wire_.begin(), wire_.begin() + std::ptrdiff_t(at));
    return callbacks;
  }

  // The compositor says it is ready for the next picture: wl_callback.done.
  void Done(std::uint32_t callback) {
    const std::uint32_t event[3] = {callback, 12u << 16 | 0u, 1234};
    ASSERT_EQ(send(ends_[1], event, sizeof event, 0), ssize_t(sizeof event));
    ASSERT_GE(wl_display_dispatch(display_), 0);
  }

  int ends_[2] = {-1, -1};
  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_surface* surface_ = nullptr;
  std::vector<std::uint8_t> wire_;
};

TEST_F(FakeCompositor, ThePictureAfterOneWaitsForItsDone) {
  platform::WaylandFrames frames(surface_);
  const Clock::time_point t = Clock::now();
  EXPECT_TRUE(frames.Ready(t)) << "the first picture goes at once";
  frames.Presenting(t);
  const std::vector<std::uint32_t> asked = FramesAskedFor();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_FALSE(frames.Ready(t));
  EXPECT_FALSE(frames.Ready(t + milliseconds(99)));
  Done(asked[0]);
  EXPECT_TRUE(frames.Ready(t + milliseconds(1)));
}

TEST_F(FakeCompositor, WithNoDoneTheNextPictureGoesAfterATenthOfASecond) {
  platform::WaylandFrames frames(surface_);
  const Clock::time_point t = Clock::now();
  frames.Presenting(t);
  EXPECT_FALSE(frames.Ready(t + milliseconds(99)));
  EXPECT_TRUE(frames.Ready(t + milliseconds(100)));
  EXPECT_TRUE(frames.Ready(t + milliseconds(5000)));

  // Presented on that patience: the wait starts again from then, and the
  // late done for the picture before does not count for this one.
  const Clock::time_point later = t + milliseconds(100);
  frames.Presenting(later);
  const std::vector<std::uint32_t> asked = FramesAskedFor();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_FALSE(frames.Ready(later + milliseconds(50)));
  Done(asked[0]);
  EXPECT_FALSE(frames.Ready(later + milliseconds(50)));
  EXPECT_TRUE(frames.Ready(later + milliseconds(100)));
  Done(asked[1]);
  EXPECT_TRUE(frames.Ready(later + milliseconds(1)));
}

}  // namespace
