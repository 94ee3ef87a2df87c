#include "shell/pictures.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

std::shared_ptr<const platform::Surface> Decode(const EmbeddedPicture& picture) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(picture.png, int(picture.size), &width, &height, &channels, 3);
  if (rgb == nullptr || width != picture.width || height != picture.height) {
    // The build decoded this very picture, so this is memory gone bad.
    std::fprintf(stderr, "plinkard: a built-in picture does not decode: %s\n", stbi_failure_reason());
    std::abort();
  }
  auto surface = std::make_shared<platform::Surface>(width, height);
  const stbi_uc* p = rgb;
  for (int y = 0; y < height; ++y) {
    platform::Pixel* row = surface->Row(y);
    for (int x = 0; x < width; ++x, p += 3) row[x] = platform::RGB(p[0], p[1], p[2]);
  }
  stbi_image_free(rgb);
  return surface;
}

}  // namespace

std::shared_ptr<const platform::Surface> SharedPicture(const EmbeddedPicture& picture) {
  static std::map<const EmbeddedPicture*, std::shared_ptr<const platform::Surface>> decoded;
  auto [at, isNew] = decoded.try_emplace(&picture);
  if (isNew) at->second = Decode(picture);
  return at->second;
}
