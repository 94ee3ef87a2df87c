#include <cstdio>
#include <vector>

#include "platform/files.h"
#include "replay/replay.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace replay {
namespace {

void Append(void* context, void* data, int size) {
  auto& bytes = *static_cast<std::vector<unsigned char>*>(context);
  const auto* from = static_cast<const unsigned char*>(data);
  bytes.insert(bytes.end(), from, from + size);
}

}  // namespace

bool WritePng(const platform::Surface& image, const std::string& path) {
  std::vector<unsigned char> rgb;
  rgb.reserve(std::size_t(image.Width()) * std::size_t(image.Height()) * 3);
  for (const platform::Pixel p : image.Pixels()) {
    rgb.push_back(static_cast<unsigned char>(p >> 16));
    rgb.push_back(static_cast<unsigned char>(p >> 8));
    rgb.push_back(static_cast<unsigned char>(p));
  }
  std::vector<unsigned char> png;
  if (stbi_write_png_to_func(Append, &png, image.Width(), image.Height(), 3, rgb.data(), image.Width() * 3) == 0) {
    return false;
  }

  std::FILE* file = path == "-" ? stdout : platform::OpenFile(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  const bool closed = file == stdout ? std::fflush(file) == 0 : std::fclose(file) == 0;
  return written && closed;
}

}  // namespace replay
