#include "shell/stage1.h"

#include "core/stage_handles.h"
#include "objects/stage_objects.h"
#include "platform/window.h"
#include "shell/module1.h"
#include "shell/pictures.h"

Stage1Window Stage1;

namespace {

void Hold(PictureHolder& holder, std::int16_t left, std::int16_t top, const EmbeddedPicture& picture) {
  holder.Left = left;
  holder.Top = top;
  holder.Picture = LoadPicture(picture);
}

LabelControl Label(std::int16_t left, std::int16_t top, std::int16_t width, const char* caption) {
  return LabelControl{left, top, width, 41, caption};
}

}  // namespace

void Stage1Window::Create() {
  Flag1.reset();
  Flag2.reset();
  Door1.reset();
  stage::Flag1 = stage::Flag2 = nullptr;  // start-up points them at the new ones
  stage::Door1 = nullptr;

  BackImage = std::make_unique<platform::Surface>(layout::StageWidth, layout::StageHeight);
  hDC = BackImage->hDC();

  // The hidden parts. Only the measuring image's place matters: the overlay
  // moves it and reports where it is.
  Hold(background, 8, 176, embedded::background);
  Hold(maskmap, 8, 6, embedded::maskmap);
  Hold(spritemap, 144, 6, embedded::spritemap);
  Hold(flagpic, 400, 8, embedded::flagpic);
  Hold(doorpic, 280, 8, embedded::doorpic);
  Hold(pausedpic, 8, 72, embedded::pausedpic);
  measure = ImageControl{layout::MeasureLeft, layout::MeasureTop, layout::PlayerWidth, layout::PlayerHeight};
  Label1 = Label(544, 8, 81, "Label1");
  Label2 = Label(544, 56, 81, "Label2");
  Label3 = Label(456, 16, 73, "Label3");

  // What the level's queries, the stage objects and the player reach for.
  stage::Form = hDC;
  stage::maskmap = maskmap.hDC();
  stage::spritemap = spritemap.hDC();
  stage::flagpic = flagpic.hDC();
  stage::doorpic = doorpic.hDC();

  platform::CurrentWindow().SetHandlers({
      .KeyDown = Form_KeyDown,
      .KeyUp = Form_KeyUp,
      .QueryUnload =
          [] {
            std::int16_t cancel = 0;
            Form_QueryUnload(cancel, 0);
          },
  });
  SetCaption(kFirstCaption);
}

void Stage1Window::SetCaption(const std::string& text) {
  Caption = text;
  platform::CurrentWindow().SetCaption(text);
}

void Stage1Window::Refresh() const { platform::CurrentWindow().Present(*BackImage); }

void CreateStage1() {
  module1::ResetState();
  Stage1.Create();
  Form_Load();
}
