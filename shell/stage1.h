// Stage1, the game's one window: its back image, its hidden picture holders,
// the measuring image and labels, and the three stage objects it owns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/layout.h"
#include "objects/doorcls.h"
#include "objects/flagcls.h"
#include "platform/surface.h"

using platform::HDC;

// A hidden picture box: an off-screen picture that blits read from.
struct PictureHolder {
  std::int16_t Left = 0;
  std::int16_t Top = 0;
  std::unique_ptr<platform::Surface> Picture;

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

  std::string Caption;
  HDC hDC = 0;  // the device context of the back image
  std::unique_ptr<platform::Surface> BackImage;

  PictureHolder background, maskmap, spritemap, flagpic, doorpic, pausedpic;
  ImageControl measure;
  LabelControl Label1, Label2, Label3;

  std::unique_ptr<flagcls> Flag1, Flag2;
  std::unique_ptr<doorcls> Door1;

  // Builds the window's parts afresh: the pictures in their holders, the
  // measuring image and labels at their places, the first caption.
  void Create();
  void SetCaption(const std::string& text);
  // Copies the back image to the screen.
  void Refresh() const;
};

extern Stage1Window Stage1;

// Starts the program: fresh module state, the window created, and its load
// event raised. Returns only by the ProgramEnded unwinding from a close request.
void CreateStage1();

// The stage window's event handlers.
void Form_Load();
void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift);
void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);
