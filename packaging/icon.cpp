// plinkard-icon SPRITEMAP MASKMAP OUTDIR SIZE [SIZE ...]
// Draws the desktop icon from the player's sheets: the standing frame, facing
// right, with its dark outline and transparent around it, cut to the figure,
// scaled up by a whole factor (nearest neighbour, so the pixels stay square)
// and centred. Writes OUTDIR/SIZExSIZE/apps/plinkard.png for each SIZE.
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

std::vector<unsigned char> Icon(const Figure& figure, int size) {
  const int scale = size / std::max(figure.width, figure.height);
  if (scale < 1) {
    throw Failure{"a " + std::to_string(size) + " pixel icon can't hold the " + std::to_string(figure.width) + " x " +
                  std::to_string(figure.height) + " figure"};
  }
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

int ParseSize(const std::string& text) {
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || size < 1 || size > 1024) {
    throw Failure{"an icon size is a whole number of pixels from 1 to 1024, not \"" + text + "\""};
  }
  return size;
}

constexpr const char* kUsage =
    "usage: plinkard-icon SPRITEMAP MASKMAP OUTDIR SIZE [SIZE ...]\n"
    "Draws the desktop icon, the player's standing frame, from the player's\n"
    "sheets into OUTDIR/SIZExSIZE/apps/plinkard.png for each SIZE.\n";

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
    for (int i = 4; i < argc; ++i) {
      const int size = ParseSize(argv[i]);
      const std::vector<unsigned char> icon = Icon(figure, size);
      const std::string side = std::to_string(size);
      const std::filesystem::path dir = std::filesystem::path(argv[3]) / (side + "x" + side) / "apps";
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
