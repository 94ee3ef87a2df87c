// Stage1, the game's one window, as a plain record of its parts: the caption,
// the back image, the hidden picture holders, and the measuring image and
// labels. The window the game runs on shows them (platform::Window); the
// flags and the door, which the window owns too, are the game's World.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/stage_handles.h"
#include "platform/surface.h"

using platform::HDC;

// A hidden picture box: an off-screen picture that blits read from. Every
// stage window holds the same pictures, which never change.
struct PictureHolder {
  std::int16_t Left = 0;
  std::int16_t Top = 0;
  std::shared_ptr<const platform::Surface> Picture;

  HDC hDC() const { return Picture ? Picture->hDC() : 0; }
};

// The measuring image; its position keeps fractions of a pixel.
struct ImageControl {
  float Left = 0;
  float Top = 0;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
};

struct LabelControl {
  std::int16_t Left = 0;
  std::int16_t Top = 0;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::string Caption;
};

struct Stage1Window {
  // The window's size when it is not maximized.
  static constexpr int kRestoredWidth = 625;
  static constexpr int kRestoredHeight = 308;
  // The caption until the first frame reports its rate.
  static constexpr const char* kFirstCaption = "Form1";

  // The window's parts afresh: the pictures in their holders, the measuring
  // image and labels at their places, the first caption. A copy has a back
  // image of its own, with the same picture on it.
  Stage1Window();

  std::string Caption = kFirstCaption;
  stage::BackImage BackImage;
  HDC hDC() const { return BackImage.hDC(); }  // the device context of the back image

  PictureHolder background, maskmap, spritemap, flagpic, doorpic, pausedpic;
  ImageControl measure;
  LabelControl Label1, Label2, Label3;
};
