// Anti-aliased lettering from a TrueType font file.
#pragma once

#include <stb_truetype.h>

#include <string>
#include <vector>

#include "image.h"

namespace pictures {

class Font {
 public:
  // Reads the font file; false (with a reason in error) when it can't.
  bool Load(const std::string& path, std::string& error);

  // Font units: the top of a flat capital (the H) above the baseline.
  int CapHeight() const;
  // Font units: the ink box of a word set with its own advances and kerning,
  // the pen starting at 0 on the baseline (y up).
  struct Extent {
    int x0, y0, x1, y1;
  };
  Extent InkBox(const std::string& text) const;

  // Draws text with its pen starting at (penX, baseline) in picture pixels
  // (fractions allowed), font units scaled by scaleX across and scaleY down.
  // Answers the pixels it inked. Firm lettering lays its half-covered pixels
  // on more thickly, which keeps small letters dark and readable.
  Rect Draw(Image& image, const std::string& text, double penX, double baseline, double scaleX, double scaleY, Rgb ink,
            bool firm = false) const;

 private:
  std::vector<unsigned char> data_;
  stbtt_fontinfo info_{};
};

}  // namespace pictures
