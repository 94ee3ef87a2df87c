#include "shell/stage1.h"

#include "core/layout.h"
#include "shell/pictures.h"

namespace {

PictureHolder Hold(std::int16_t left, std::int16_t top, const EmbeddedPicture& picture) {
  return PictureHolder{left, top, SharedPicture(picture)};
}

LabelControl Label(std::int16_t left, std::int16_t top, std::int16_t width, const char* caption) {
  return LabelControl{left, top, width, 41, caption};
}

}  // namespace

// Only the measuring image's place matters of the hidden parts: the overlay
// moves it and reports where it is.
Stage1Window::Stage1Window()
    : background(Hold(8, 176, embedded::background)),
      maskmap(Hold(8, 6, embedded::maskmap)),
      spritemap(Hold(144, 6, embedded::spritemap)),
      flagpic(Hold(400, 8, embedded::flagpic)),
      doorpic(Hold(280, 8, embedded::doorpic)),
      pausedpic(Hold(8, 72, embedded::pausedpic)),
      measure{layout::MeasureLeft, layout::MeasureTop, layout::PlayerWidth, layout::PlayerHeight},
      Label1(Label(544, 8, 81, "Label1")),
      Label2(Label(544, 56, 81, "Label2")),
      Label3(Label(456, 16, 73, "Label3")) {
  // What the stage objects and the player draw from.
  stage::maskmap = maskmap.hDC();
  stage::spritemap = spritemap.hDC();
  stage::flagpic = flagpic.hDC();
  stage::doorpic = doorpic.hDC();
}
