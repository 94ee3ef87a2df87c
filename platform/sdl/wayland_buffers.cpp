#include "platform/sdl/wayland_buffers.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

// Finds the compositor's shared-memory global on a queue of our own, so that
// none of SDL's events are dispatched meanwhile, and hands it to the default queue.
wl_shm* BindShm(wl_display* display) {
  wl_event_queue* queue = wl_display_create_queue(display);
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
  wl_registry* registry = wl_display_get_registry(wrapper);
  wl_shm* shm = nullptr;
  static const wl_registry_listener listener{
      [](void* found, wl_registry* r, std::uint32_t name, const char* interface, std::uint32_t) {
        auto& shm = *static_cast<wl_shm**>(found);
        if (shm == nullptr && std::strcmp(interface, wl_shm_interface.name) == 0) {
          shm = static_cast<wl_shm*>(wl_registry_bind(r, name, &wl_shm_interface, 1));
        }
      },
      [](void*, wl_registry*, std::uint32_t) {},
  };
  wl_registry_add_listener(registry, &listener, &shm);
  wl_display_roundtrip_queue(display, queue);
  if (shm != nullptr) wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(shm), nullptr);
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapper);
  wl_event_queue_destroy(queue);
  return shm;
}

}  // namespace

WaylandBuffers::WaylandBuffers(wl_display* display, wl_surface* surface) : display_(display), surface_(surface) {
  shm_ = BindShm(display);
  if (shm_ == nullptr) throw std::runtime_error("the Wayland compositor offers no shared memory for the window");
}

WaylandBuffers::~WaylandBuffers() {
  for (Buffer& b : buffers_) Drop(b);
  wl_shm_destroy(shm_);
}

void WaylandBuffers::Drop(Buffer& b) {
  if (b.buffer != nullptr) wl_buffer_destroy(b.buffer);
  if (b.pixels != nullptr) munmap(b.pixels, b.bytes);
  b = Buffer{};
}

void WaylandBuffers::Make(Buffer& b, int width, int height) {
  Drop(b);
  const std::size_t stride = std::size_t(width) * sizeof(Pixel);
  const std::size_t bytes = stride * std::size_t(height);
  const int fd = memfd_create("plinkard-window", MFD_CLOEXEC);
  if (fd < 0) return;
  void* pixels =
      ftruncate(fd, off_t(bytes)) == 0 ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
  if (pixels != MAP_FAILED) {
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, std::int32_t(bytes));
    b.buffer = wl_shm_pool_create_buffer(pool, 0, width, height, std::int32_t(stride), WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    b.pixels = static_cast<Pixel*>(pixels);
    b.bytes = bytes;
    b.width = width;
    b.height = height;
    static const wl_buffer_listener listener{&WaylandBuffers::Released};
    wl_buffer_add_listener(b.buffer, &listener, &b);
  }
  close(fd);
}

void WaylandBuffers::Released(void* buffer, wl_buffer* /*proxy*/) { static_cast<Buffer*>(buffer)->busy = false; }

std::optional<WaylandBuffers::Taken> WaylandBuffers::Take(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  int chosen = -1;
  for (int i = 0; i < kCount; ++i) {
    const Buffer& b = buffers_[std::size_t(i)];
    if (b.busy) continue;
    if (chosen < 0 || (b.width == width && b.height == height)) chosen = i;
  }
  if (chosen < 0) return std::nullopt;
  Buffer& b = buffers_[std::size_t(chosen)];
  const bool fresh = b.buffer == nullptr || b.width != width || b.height != height;
  if (fresh) Make(b, width, height);
  if (b.buffer == nullptr) return std::nullopt;
  return Taken{{b.pixels, std::size_t(width)}, chosen, fresh};
}

void WaylandBuffers::Show(int number, std::span<const Rect> changed) {
  Buffer& b = buffers_[std::size_t(number)];
  wl_surface_attach(surface_, b.buffer, 0, 0);
  for (const Rect& r : changed) wl_surface_damage(surface_, r.x, r.y, r.w, r.h);
  wl_surface_commit(surface_);
  wl_display_flush(display_);
  b.busy = true;
}

}  // namespace platform
