// A plain 24-bit picture held in memory while the generator draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rect.h"

namespace pictures {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The game's colours.
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kCream{236, 233, 216};  // open space, and behind the banner and the measuring figure
inline constexpr Rgb kRockGrey{128, 128, 128};
inline constexpr Rgb kRockBorder{56, 56, 56};
inline constexpr Rgb kSpikeRed{193, 0, 0};
inline constexpr Rgb kBannerRed{255, 0, 0};
inline constexpr Rgb kSkin{248, 192, 156};
inline constexpr Rgb kShirt{128, 64, 0};
inline constexpr Rgb kTrousers{0, 0, 176};
inline constexpr Rgb kDoorWood{128, 64, 0};
inline constexpr Rgb kDoorPanel{128, 0, 0};

using platform::Rect;

class Image {
 public:
  Image(int width, int height, Rgb fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }

  void Fill(const Rect& area, Rgb colour);
  // Mixes colour into the pixel by coverage (0 = untouched, 255 = colour).
  void Blend(int x, int y, Rgb colour, int coverage);
  // Copies the whole of `from` with its top-left pixel at (x, y).
  void Paste(const Image& from, int x, int y);

  // Writes an 8-bit RGB PNG; false when the file can't be written.
  bool WritePng(const std::string& path) const;

 private:
  std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace pictures
