// One game of Plinkard, as a value: the module's state (module1's variables,
// the held keys and the wall tables), the player, the stage window Stage1 with
// its back image, and the flags and the door. Make one afresh for a window,
// copy it to keep the game as it stands, and run it: to the end, as the
// program does (Form_Load), or a few frames at a time on a window without a
// screen (StartUp, then RunUntilFrame), beside any number of other games.
//
// The window a game runs on is not part of its state: a copy runs on the same
// window until given another, and whichever game runs on a window hears its
// events.
#pragma once

#include <cstdint>
#include <string>

#include "core/layout.h"
#include "platform/window.h"
#include "player/playercls.h"
#include "player/world.h"
#include "shell/stage1.h"

struct Game : World {
  // Made afresh: the stage window created for `window`, nothing started yet.
  explicit Game(platform::Window& window);
  // A copy holds the same state; its stage window has a back image of its
  // own, with the same picture on it, and its objects draw there.
  Game(const Game& other);
  Game& operator=(const Game& other);

  // The module's state, beside the World's.
  Boolean Running = False;  // the main loop goes on while True
  Boolean Paused = False;
  std::int32_t FrameCount = 0;     // frames drawn since the frame rate was last reported
  std::int64_t NextFrameTick = 0;  // tick at which the next frame may start
  double LastRateTick = 0;         // tick of the last frame-rate report
  playercls Player;
  Stage1Window Stage1;
  std::int64_t FramesDrawn = 0;  // since start-up: the number of the frame drawn last
  // The milliseconds from one frame's start to the next's: 10, a hundred
  // frames a second. Practice at a lower speed draws the very same frames,
  // fewer of them each second.
  std::int64_t FramePeriod = layout::FrameMs;

  // The window's load event: start-up, then the main loop, which runs until
  // the window's close request ends the program (platform::ProgramEnded).
  void Form_Load();
  // Start-up alone: the window shown, the player and the stage objects in
  // their places, the wall tables filled.
  void StartUp();
  void GameLoop();
  // The main loop until frame `frame` has been drawn and the events that come
  // after it pumped: the place at which a replay's --frames ends the run. Answers
  // false once the game has ended (its window was closed).
  bool RunUntilFrame(std::int64_t frame);

  // The stage window's event handlers.
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
  void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift);
  void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);

  void TogglePause();
  // The measuring overlay's per-frame step.
  void MoveMeasure();
  // A frame's drawing: the level, the door, the flags and the player, in that order.
  void DrawFrame();
  // The tick at which the frame drawn last started.
  std::int64_t FrameTick() const;

 private:
  void Listen();
  void LoopPass();
  void Frame();
  void HoldWhilePaused();
  void ReportFrameRate();
  void SetCaption(const std::string& text);
  void Refresh();
  void DrawOn(HDC from, HDC to);
};

// The caption's text for a frame rate, rounded to the nearest whole number with
// halves to the even neighbour.
std::string RateCaption(double rate);
