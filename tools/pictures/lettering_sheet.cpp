// The lettering sheet: the notes' letters, one a cell, white on black.
#include "core/layout.h"
#include "pictures.h"

namespace pictures {
namespace {

// The character as UTF-8.
std::string Utf8(char32_t c) {
  std::string text;
  if (c < 0x80) {
    text += char(c);
  } else if (c < 0x800) {
    text += char(0xC0 | (c >> 6));
    text += char(0x80 | (c & 0x3F));
  } else {
    text += char(0xE0 | (c >> 12));
    text += char(0x80 | ((c >> 6) & 0x3F));
    text += char(0x80 | (c & 0x3F));
  }
  return text;
}

}  // namespace

// Each letter as the notes have it (their font, capitals of their height,
// laid on as firmly), so that the game's own writing looks like the level's.
Image DrawLetteringSheet(const Font& notes) {
  Image sheet(layout::LetterCellWidth * layout::LetterCells, layout::LetterCellHeight, kBlack);
  const double scale = double(kNoteCapitalHeight) / notes.CapHeight();
  for (char32_t c = layout::FirstLetter; c <= layout::LastLetter + 1; ++c) {
    const char32_t letter = c > layout::LastLetter ? layout::MinusSign : c;
    const int cell = layout::LetterCell(letter);
    const Font::Extent ink = notes.InkBox(Utf8(letter));
    if (ink.x0 > ink.x1) continue;  // the space
    notes.Draw(sheet, Utf8(letter), cell * layout::LetterCellWidth + layout::LetterPenX, layout::LetterBaseline, scale,
               scale, kWhite, true);
  }
  return sheet;
}

}  // namespace pictures
