#include <string>
#include <vector>

#include "replay/replay.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace replay {
namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), std::size_t(size));
}

}  // namespace

std::string Png(const platform::Surface& image) {
  std::vector<unsigned char> rgb;
  rgb.reserve(std::size_t(image.Width()) * std::size_t(image.Height()) * 3);
  for (const platform::Pixel p : image.Pixels()) {
    rgb.push_back(static_cast<unsigned char>(p >> 16));
    rgb.push_back(static_cast<unsigned char>(p >> 8));
    rgb.push_back(static_cast<unsigned char>(p));
  }
  std::string png;
  stbi_write_png_to_func(Append, &png, image.Width(), image.Height(), 3, rgb.data(), image.Width() * 3);
  return png;
}

}  // namespace replay
