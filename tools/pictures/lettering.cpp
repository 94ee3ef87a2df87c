#include "lettering.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>

namespace pictures {
namespace {

// The characters of UTF-8 text (the notes are ASCII; the lettering sheet has
// a minus sign), a byte that starts no character standing for itself.
std::vector<int> Characters(const std::string& text) {
  std::vector<int> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    int c = length == 1 ? byte : byte & (0x7F >> length);
    for (int k = 1; k < length && i + std::size_t(k) < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + std::size_t(k)]) & 0x3F);
    }
    characters.push_back(c);
    i += std::size_t(length);
  }
  return characters;
}

}  // namespace

bool Font::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "can't open the font " + path;
    return false;
  }
  data_.assign(std::istreambuf_iterator<char>(in), {});
  if (data_.empty() || stbtt_InitFont(&info_, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0)) == 0) {
    error = "can't read the font " + path;
    return false;
  }
  return true;
}

int Font::CapHeight() const {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  stbtt_GetCodepointBox(&info_, 'H', &x0, &y0, &x1, &y1);
  return y1;
}

Font::Extent Font::InkBox(const std::string& text) const {
  Extent box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  int pen = 0;
  const std::vector<int> characters = Characters(text);
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const int c = characters[i];
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (stbtt_GetCodepointBox(&info_, c, &x0, &y0, &x1, &y1) != 0) {
      box.x0 = std::min(box.x0, pen + x0);
      box.x1 = std::max(box.x1, pen + x1);
      box.y0 = std::min(box.y0, y0);
      box.y1 = std::max(box.y1, y1);
    }
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&info_, c, &advance, &bearing);
    pen += advance;
    if (i + 1 < characters.size()) pen += stbtt_GetCodepointKernAdvance(&info_, c, characters[i + 1]);
  }
  return box;
}

Rect Font::Draw(Image& image, const std::string& text, double penX, double baseline, double scaleX, double scaleY,
                Rgb ink, bool firm) const {
  // Coverage of the whole line first, so glyphs that touch add up instead of
  // darkening their shared pixels twice.
  const Extent box = InkBox(text);
  const int left = int(std::floor(penX + box.x0 * scaleX)) - 2;
  const int right = int(std::ceil(penX + box.x1 * scaleX)) + 2;
  const int top = int(std::floor(baseline - box.y1 * scaleY)) - 2;
  const int bottom = int(std::ceil(baseline - box.y0 * scaleY)) + 2;
  const int width = right - left + 1, height = bottom - top + 1;
  std::vector<int> coverage(std::size_t(width) * std::size_t(height), 0);
  std::vector<unsigned char> glyph;

  const double baseFloor = std::floor(baseline);
  const float shiftY = float(baseline - baseFloor);
  double pen = penX;
  const std::vector<int> characters = Characters(text);
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const int c = characters[i];
    const double penFloor = std::floor(pen);
    const float shiftX = float(pen - penFloor);
    int ix0 = 0, iy0 = 0, ix1 = 0, iy1 = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&info_, c, float(scaleX), float(scaleY), shiftX, shiftY, &ix0, &iy0, &ix1,
                                        &iy1);
    const int w = ix1 - ix0, h = iy1 - iy0;
    if (w > 0 && h > 0) {
      glyph.assign(std::size_t(w) * std::size_t(h), 0);
      stbtt_MakeCodepointBitmapSubpixel(&info_, glyph.data(), w, h, w, float(scaleX), float(scaleY), shiftX, shiftY, c);
      for (int j = 0; j < h; ++j)
        for (int k = 0; k < w; ++k) {
          const int x = int(penFloor) + ix0 + k - left, y = int(baseFloor) + iy0 + j - top;
          if (x >= 0 && y >= 0 && x < width && y < height)
            coverage[std::size_t(y) * std::size_t(width) + std::size_t(x)] +=
                glyph[std::size_t(j) * std::size_t(w) + std::size_t(k)];
        }
    }
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&info_, c, &advance, &bearing);
    pen += advance * scaleX;
    if (i + 1 < characters.size()) pen += stbtt_GetCodepointKernAdvance(&info_, c, characters[i + 1]) * scaleX;
  }

  Rect inked{};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int c = std::min(255, coverage[std::size_t(y) * std::size_t(width) + std::size_t(x)]);
      if (c == 0) continue;
      if (firm) c = c * 510 / (c + 255);
      image.Blend(left + x, top + y, ink, c);
      inked = Union(inked, {left + x, top + y, 1, 1});
    }
  return inked;
}

}  // namespace pictures
