#include "image.h"

#include <stb_image_write.h>

namespace pictures {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

void Image::Fill(const Rect& area, Rgb colour) {
  for (int y = area.y; y <= area.Bottom(); ++y)
    for (int x = area.x; x <= area.Right(); ++x)
      if (Inside(x, y)) At(x, y) = colour;
}

void Image::Blend(int x, int y, Rgb colour, int coverage) {
  if (!Inside(x, y) || coverage <= 0) return;
  if (coverage > 255) coverage = 255;
  Rgb& p = At(x, y);
  const auto mix = [coverage](int under, int over) {
    return std::uint8_t((under * (255 - coverage) + over * coverage + 127) / 255);
  };
  p = {mix(p.r, colour.r), mix(p.g, colour.g), mix(p.b, colour.b)};
}

void Image::Paste(const Image& from, int x, int y) {
  for (int j = 0; j < from.Height(); ++j)
    for (int i = 0; i < from.Width(); ++i)
      if (Inside(x + i, y + j)) At(x + i, y + j) = from.At(i, j);
}

bool Image::WritePng(const std::string& path) const {
  // Fixed settings, so the same picture always gives the same bytes.
  stbi_write_png_compression_level = 9;
  stbi_write_force_png_filter = -1;
  static_assert(sizeof(Rgb) == 3);
  return stbi_write_png(path.c_str(), width_, height_, 3, pixels_.data(), width_ * 3) != 0;
}

}  // namespace pictures
