// A window's pictures in shared memory for a Wayland compositor, made by the
// window itself where SDL makes none. Two buffers the size of the window:
// the compositor reads one while the other is drawn. Their events come on
// the connection's default queue, which SDL dispatches as it pumps events.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "platform/presentation.h"

struct wl_display;
struct wl_surface;
struct wl_shm;
struct wl_buffer;

namespace platform {

class WaylandBuffers {
 public:
  // Throws std::runtime_error when the compositor offers no shared memory.
  WaylandBuffers(wl_display* display, wl_surface* surface);
  ~WaylandBuffers();
  WaylandBuffers(const WaylandBuffers&) = delete;
  WaylandBuffers& operator=(const WaylandBuffers&) = delete;

  static constexpr int kCount = 2;

  struct Taken {
    PixelRows rows;
    int number;  // which buffer
    bool fresh;  // newly made: it holds nothing drawn yet
  };
  // A buffer of that size to draw into, or none while the compositor holds both.
  std::optional<Taken> Take(int width, int height);
  // Attaches the buffer to the surface with the parts that changed, and commits.
  void Show(int number, std::span<const Rect> changed);

 private:
  struct Buffer {
    wl_buffer* buffer = nullptr;
    Pixel* pixels = nullptr;
    std::size_t bytes = 0;
    int width = 0, height = 0;
    bool busy = false;  // with the compositor until it releases it
  };
  void Make(Buffer& b, int width, int height);
  static void Drop(Buffer& b);
  static void Released(void* buffer, wl_buffer* proxy);

  wl_display* display_;
  wl_surface* surface_;
  wl_shm* shm_ = nullptr;
  std::array<Buffer, kCount> buffers_;
};

}  // namespace platform
