#include "app/lettering.h"

#include <algorithm>

#include "shell/pictures.h"

namespace {

constexpr int kLetterGap = 1;    // between one letter's ink and the next's
constexpr int kSpaceWidth = 4;   // the space has no ink to measure
constexpr int kDigitsFrom = int(U'0' - layout::FirstLetter);

// The next character of UTF-8 text, or U'\uFFFD' for a broken one.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  const unsigned lead = byte(at);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  char32_t c = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
  for (int i = 1; i < length; ++i) {
    const unsigned next = byte(at + std::size_t(i));
    if ((next & 0xC0) != 0x80) {
      at += std::size_t(i);
      return U'\uFFFD';
    }
    c = (c << 6) | (next & 0x3F);
  }
  at += std::size_t(length);
  return lead >= 0x80 && lead < 0xC0 ? U'\uFFFD' : c;
}

int Coverage(platform::Pixel p) { return int(p >> 8 & 0xFF); }  // the sheet is grey: green will do

platform::Pixel Mix(platform::Pixel under, platform::Pixel ink, int cover) {
  platform::Pixel mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = int(under >> shift & 0xFF), b = int(ink >> shift & 0xFF);
    mixed |= platform::Pixel((a * (255 - cover) + b * cover + 127) / 255) << shift;
  }
  return mixed;
}

}  // namespace

// Each letter's advance is its ink's width and a gap; the digits all take the
// widest one's, so that a running time does not shake.
Lettering::Lettering() : sheet_(SharedPicture(embedded::lettering)) {
  for (int cell = 0; cell < layout::LetterCells; ++cell) {
    int right = -1;
    for (int y = 0; y < layout::LetterCellHeight; ++y) {
      for (int x = 0; x < layout::LetterCellWidth; ++x) {
        if (Coverage(sheet_->At(cell * layout::LetterCellWidth + x, y)) > 0) right = std::max(right, x);
      }
    }
    advance_[std::size_t(cell)] = right < 0 ? kSpaceWidth : right - layout::LetterPenX + 1 + kLetterGap;
  }
  const auto digits = advance_.begin() + kDigitsFrom;
  std::fill(digits, digits + 10, *std::max_element(digits, digits + 10));
}

template <class Letter>
int Lettering::Each(std::string_view text, Letter letter) const {
  int pen = 0;
  for (std::size_t at = 0; at < text.size();) {
    const int cell = layout::LetterCell(NextCharacter(text, at));
    if (cell < 0) continue;  // nothing to write it with
    letter(cell, pen);
    pen += advance_[std::size_t(cell)];
  }
  return pen;
}

int Lettering::Width(std::string_view text) const {
  return Each(text, [](int, int) {});
}

int Lettering::Write(platform::Surface& onto, int x, int baseline, std::string_view text,
                     platform::Pixel ink) const {
  const int top = baseline - layout::LetterBaseline;
  return x + Each(text, [&](int cell, int pen) {
           const int left = x + pen - layout::LetterPenX;
           for (int y = std::max(0, -top); y < layout::LetterCellHeight && top + y < onto.Height(); ++y) {
             const platform::Pixel* from = sheet_->Row(y) + cell * layout::LetterCellWidth;
             platform::Pixel* to = onto.Row(top + y);
             for (int i = std::max(0, -left); i < layout::LetterCellWidth && left + i < onto.Width(); ++i) {
               const int cover = Coverage(from[i]);
               if (cover > 0) to[left + i] = Mix(to[left + i], ink, cover);
             }
           }
         });
}
