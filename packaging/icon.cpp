// plinkard-icon SPRITEMAP MASKMAP OUT SIZE [SIZE ...]
// Draws the desktop icon from the player's sheets: the standing frame, facing
// right, with its dark outline and transparent around it, cut to the figure,
// scaled up by a whole factor (nearest neighbour, so the pixels stay square)
// and centred; an icon smaller than the figure gets it shrunk, each pixel the
// average of those it covers. Writes OUT/SIZExSIZE/apps/plinkard.png for each
// SIZE, or, for an OUT ending in .ico, one Windows icon holding every SIZE.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/layout.h"
#include "tools/help_or_version.h"

namespace {

// The sheets: the player's frames side by side, each framed by one-pixel grid
// lines. The icon is the standing figure facing right.
constexpr int kSheetWidth = layout::SheetWidth, kSheetHeight = layout::SheetHeight;
constexpr int kCellWidth = layout::PlayerWidth, kCellHeight = layout::PlayerHeight;
constexpr int kCellX = layout::CellX(layout::FacingRight), kCellY = layout::CellY;

struct Failure {
  std::string what;
};

struct Rgb {
  unsigned char r, g, b;
  bool operator==(const Rgb&) const = default;
};
constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

struct Sheet {
  int width = 0, height = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels{nullptr, &stbi_image_free};
  Rgb at(int x, int y) const {
    const stbi_uc* p = pixels.get() + (std::size_t(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
  }
};

Sheet Load(const char* path) {
  Sheet sheet;
  int channels = 0;
  sheet.pixels.reset(stbi_load(path, &sheet.width, &sheet.height, &channels, 3));
  if (!sheet.pixels) throw Failure{std::string(path) + ": does not decode (" + stbi_failure_reason() + ")"};
  if (sheet.width != kSheetWidth || sheet.height != kSheetHeight) {
    throw Failure{std::string(path) + ": is " + std::to_string(sheet.width) + " x " + std::to_string(sheet.height) +
                  ", a player sheet is " + std::to_string(kSheetWidth) + " x " + std::to_string(kSheetHeight)};
  }
  return sheet;
}

// The figure as the game draws it (mask AND, then sprite OR) over nothing:
// RGBA, cut to the smallest box that holds every opaque pixel.
struct Figure {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
};

Figure StandingFigure(const Sheet& sprite, const Sheet& mask) {
  // Black in the mask lets the sprite through; white keeps the background,
  // which for an icon is transparent, so the sprite must be black there too.
  // Anything else would depend on the background and has no place in an icon.
  std::vector<bool> opaque(kCellWidth * kCellHeight);
  int left = kCellWidth, right = -1, top = kCellHeight, bottom = -1;
  for (int y = 0; y < kCellHeight; ++y) {
    for (int x = 0; x < kCellWidth; ++x) {
      const Rgb m = mask.at(kCellX + x, kCellY + y);
      const Rgb s = sprite.at(kCellX + x, kCellY + y);
      const std::string where = " at (" + std::to_string(kCellX + x) + ", " + std::to_string(kCellY + y) + ")";
      if (m == kWhite) {
        if (!(s == kBlack)) throw Failure{"the sprite is not black outside the mask's silhouette" + where};
        continue;
      }
      if (!(m == kBlack)) throw Failure{"the mask is neither black nor white" + where};
      opaque[y * kCellWidth + x] = true;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) throw Failure{"the standing frame's mask is empty"};

  Figure figure;
  figure.width = right - left + 1;
  figure.height = bottom - top + 1;
  figure.rgba.assign(std::size_t(figure.width) * figure.height * 4, 0);
  for (int y = 0; y < figure.height; ++y) {
    for (int x = 0; x < figure.width; ++x) {
      if (!opaque[(top + y) * kCellWidth + left + x]) continue;
      const Rgb s = sprite.at(kCellX + left + x, kCellY + top + y);
      unsigned char* p = &figure.rgba[(std::size_t(y) * figure.width + x) * 4];
      p[0] = s.r, p[1] = s.g, p[2] = s.b, p[3] = 255;
    }
  }
  return figure;
}

// Smaller than the figure: each icon pixel is the average of the part of the
// figure it covers, its colour weighted by opacity, so that the thin outline
// fades rather than vanishes.
std::vector<unsigned char> Shrunk(const Figure& figure, int size) {
  const double scale = double(size) / std::max(figure.width, figure.height);
  const int x0 = int((size - figure.width * scale) / 2), y0 = int((size - figure.height * scale) / 2);
  std::vector<unsigned char> icon(std::size_t(size) * size * 4, 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // The figure's rectangle under this pixel, in figure pixels.
      const double left = (x - x0) / scale, right = (x + 1 - x0) / scale;
      const double top = (y - y0) / scale, bottom = (y + 1 - y0) / scale;
      double alpha = 0, rgb[3] = {0, 0, 0};
      for (int fy = std::max(0, int(top)); fy < figure.height && fy < bottom; ++fy) {
        for (int fx = std::max(0, int(left)); fx < figure.width && fx < right; ++fx) {
          const double covered = (std::min(right, fx + 1.0) - std::max(left, double(fx))) *
                                 (std::min(bottom, fy + 1.0) - std::max(top, double(fy)));
          const unsigned char* p = &figure.rgba[(std::size_t(fy) * figure.width + fx) * 4];
          const double weight = covered * p[3] / 255;
          alpha += weight;
          for (int c = 0; c < 3; ++c) rgb[c] += weight * p[c];
        }
      }
      if (alpha <= 0) continue;
      unsigned char* to = &icon[(std::size_t(y) * size + x) * 4];
      for (int c = 0; c < 3; ++c) to[c] = static_cast<unsigned char>(rgb[c] / alpha + 0.5);
      to[3] = static_cast<unsigned char>(std::min(255.0, alpha * scale * scale * 255 + 0.5));
    }
  }
  return icon;
}

std::vector<unsigned char> Icon(const Figure& figure, int size) {
  const int scale = size / std::max(figure.width, figure.height);
  if (scale < 1) return Shrunk(figure, size);
  const int x0 = (size - figure.width * scale) / 2, y0 = (size - figure.height * scale) / 2;
  std::vector<unsigned char> icon(std::size_t(size) * size * 4, 0);
  for (int y = 0; y < figure.height * scale; ++y) {
    for (int x = 0; x < figure.width * scale; ++x) {
      const unsigned char* from = &figure.rgba[(std::size_t(y / scale) * figure.width + x / scale) * 4];
      std::copy(from, from + 4, &icon[(std::size_t(y0 + y) * size + x0 + x) * 4]);
    }
  }
  return icon;
}

void Append(void* context, void* data, int size) {
  auto& bytes = *static_cast<std::vector<unsigned char>*>(context);
  bytes.insert(bytes.end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

void Put16(std::vector<unsigned char>& to, unsigned value) {
  for (int i = 0; i < 2; ++i) to.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
void Put32(std::vector<unsigned char>& to, unsigned value) {
  for (int i = 0; i < 4; ++i) to.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// One image of a Windows icon: a PNG at 256 pixels, as Windows keeps its large
// icons; below that the classic bitmap every Windows reads, 32-bit BGRA rows
// from the bottom up followed by the 1-bit mask of the transparent pixels.
std::vector<unsigned char> IconImage(const std::vector<unsigned char>& rgba, int size) {
  std::vector<unsigned char> image;
  if (size >= 256) {
    if (stbi_write_png_to_func(Append, &image, size, size, 4, rgba.data(), size * 4) == 0) {
      throw Failure{"can't encode the " + std::to_string(size) + " pixel image"};
    }
    return image;
  }
  const unsigned maskRow = unsigned((size + 31) / 32 * 4);
  Put32(image, 40);                  // the BITMAPINFOHEADER's size
  Put32(image, unsigned(size));      // width
  Put32(image, unsigned(size * 2));  // height: the colours and the mask
  Put16(image, 1);                   // planes
  Put16(image, 32);                  // bits per pixel
  Put32(image, 0);                   // uncompressed
  Put32(image, unsigned(size) * unsigned(size) * 4 + maskRow * unsigned(size));
  for (int i = 0; i < 4; ++i) Put32(image, 0);  // resolution, palette
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const unsigned char* p = &rgba[(std::size_t(y) * size + x) * 4];
      image.insert(image.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<unsigned char> row(maskRow, 0);
    for (int x = 0; x < size; ++x) {
      if (rgba[(std::size_t(y) * size + x) * 4 + 3] == 0) row[std::size_t(x / 8)] |= 0x80 >> (x % 8);
    }
    image.insert(image.end(), row.begin(), row.end());
  }
  return image;
}

// A Windows icon file: the header, one directory entry per image, the images.
std::vector<unsigned char> IconFile(const std::vector<std::pair<int, std::vector<unsigned char>>>& icons) {
  std::vector<std::vector<unsigned char>> images;
  for (const auto& [size, rgba] : icons) images.push_back(IconImage(rgba, size));
  std::vector<unsigned char> file;
  Put16(file, 0);  // reserved
  Put16(file, 1);  // an icon
  Put16(file, unsigned(icons.size()));
  unsigned offset = unsigned(6 + 16 * icons.size());
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const int size = icons[i].first;
    file.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));  // 0 stands for 256
    file.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
    file.push_back(0);  // no palette
    file.push_back(0);  // reserved
    Put16(file, 1);     // planes
    Put16(file, 32);    // bits per pixel
    Put32(file, unsigned(images[i].size()));
    Put32(file, offset);
    offset += unsigned(images[i].size());
  }
  for (const std::vector<unsigned char>& image : images) file.insert(file.end(), image.begin(), image.end());
  return file;
}

int ParseSize(const std::string& text) {
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || size < 1 || size > 1024) {
    throw Failure{"an icon size is a whole number of pixels from 1 to 1024, not \"" + text + "\""};
  }
  return size;
}

constexpr const char* kUsage =
    "usage: plinkard-icon SPRITEMAP MASKMAP OUT SIZE [SIZE ...]\n"
    "Draws the desktop icon, the player's standing frame, from the player's\n"
    "sheets into OUT/SIZExSIZE/apps/plinkard.png for each SIZE, or into one\n"
    "Windows icon with every SIZE when OUT ends in .ico.\n";

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredHelpOrVersion(argc, argv, "plinkard-icon", kUsage)) return 0;
  if (argc < 5) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    const Sheet sprite = Load(argv[1]);
    const Sheet mask = Load(argv[2]);
    const Figure figure = StandingFigure(sprite, mask);
    const std::filesystem::path out = argv[3];
    std::vector<std::pair<int, std::vector<unsigned char>>> icons;
    for (int i = 4; i < argc; ++i) {
      const int size = ParseSize(argv[i]);
      icons.emplace_back(size, Icon(figure, size));
    }
    if (out.extension() == ".ico") {
      const std::vector<unsigned char> file = IconFile(icons);
      std::FILE* to = std::fopen(out.string().c_str(), "wb");
      const bool written = to != nullptr && std::fwrite(file.data(), 1, file.size(), to) == file.size();
      if (to == nullptr || std::fclose(to) != 0 || !written) throw Failure{out.string() + ": can't write"};
      return 0;
    }
    for (const auto& [size, icon] : icons) {
      const std::string side = std::to_string(size);
      const std::filesystem::path dir = out / (side + "x" + side) / "apps";
      std::filesystem::create_directories(dir);
      const std::string path = (dir / "plinkard.png").string();
      if (stbi_write_png(path.c_str(), size, size, 4, icon.data(), size * 4) == 0) {
        throw Failure{path + ": can't write"};
      }
    }
  } catch (const Failure& failure) {
    std::fprintf(stderr, "plinkard-icon: %s\n", failure.what.c_str());
    return 1;
  } catch (const std::filesystem::filesystem_error& error) {
    std::fprintf(stderr, "plinkard-icon: %s\n", error.what());
    return 1;
  }
  return 0;
}
