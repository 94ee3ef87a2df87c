#include "shell/pictures.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

// The picture's pixels, decoded the first time it is asked for: a program that
// starts the game again (a test, a benchmark of replays) decodes nothing twice.
const std::vector<platform::Pixel>& Decoded(const EmbeddedPicture& picture) {
  static std::map<const EmbeddedPicture*, std::vector<platform::Pixel>> decoded;
  auto [at, isNew] = decoded.try_emplace(&picture);
  if (!isNew) return at->second;

  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(picture.png, int(picture.size), &width, &height, &channels, 3);
  if (rgb == nullptr || width != picture.width || height != picture.height) {
    // The build decoded this very picture, so this is memory gone bad.
    std::fprintf(stderr, "plinkard: a built-in picture does not decode: %s\n", stbi_failure_reason());
    std::abort();
  }
  at->second.resize(std::size_t(width) * std::size_t(height));
  const stbi_uc* p = rgb;
  for (platform::Pixel& pixel : at->second) {
    pixel = platform::RGB(p[0], p[1], p[2]);
    p += 3;
  }
  stbi_image_free(rgb);
  return at->second;
}

}  // namespace

std::unique_ptr<platform::Surface> LoadPicture(const EmbeddedPicture& picture) {
  const std::vector<platform::Pixel>& pixels = Decoded(picture);
  auto surface = std::make_unique<platform::Surface>(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(pixels.begin() + std::ptrdiff_t(y) * picture.width, picture.width, surface->Row(y));
  }
  return surface;
}
