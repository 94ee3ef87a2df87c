// Writing over the picture with the game's own letters: the lettering sheet
// (the notes' letters, white on black, one a cell) laid on in any ink, each
// pixel covered as much as the sheet's white says.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "core/layout.h"
#include "platform/surface.h"

class Lettering {
 public:
  Lettering();

  // How far the pen moves writing `text` (UTF-8).
  int Width(std::string_view text) const;
  // Writes `text` with its baseline at `baseline` and its pen starting at
  // `x`, clipped to the surface; answers where the pen ends.
  int Write(platform::Surface& onto, int x, int baseline, std::string_view text, platform::Pixel ink) const;

 private:
  template <class Letter>
  int Each(std::string_view text, Letter letter) const;

  std::shared_ptr<const platform::Surface> sheet_;
  std::array<int, layout::LetterCells> advance_{};
};
