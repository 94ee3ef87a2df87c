#include "shell/game.h"

Game::Game(platform::Window& window) {
  this->window = &window;
  window.SetCaption(Stage1.Caption);
}

Game::Game(const Game& other)
    : World(other),
      Running(other.Running),
      Paused(other.Paused),
      FrameCount(other.FrameCount),
      NextFrameTick(other.NextFrameTick),
      LastRateTick(other.LastRateTick),
      Player(other.Player),
      Stage1(other.Stage1),
      FramesDrawn(other.FramesDrawn),
      FramePeriod(other.FramePeriod) {
  DrawOn(other.Stage1.hDC(), Stage1.hDC());
}

Game& Game::operator=(const Game& other) {
  if (this == &other) return *this;
  World::operator=(other);
  Running = other.Running;
  Paused = other.Paused;
  FrameCount = other.FrameCount;
  NextFrameTick = other.NextFrameTick;
  LastRateTick = other.LastRateTick;
  Player = other.Player;
  Stage1 = other.Stage1;  // the picture, onto this game's own back image
  FramesDrawn = other.FramesDrawn;
  FramePeriod = other.FramePeriod;
  DrawOn(other.Stage1.hDC(), Stage1.hDC());
  return *this;
}

// The player steps in this game, and whatever drew on the stage window
// copied from draws on this one's.
void Game::DrawOn(HDC from, HDC to) {
  Player.world = this;
  for (HDC* form : {&Player.CurrentForm, &Flag1.CurrentForm, &Flag2.CurrentForm, &Door1.CurrentForm}) {
    if (*form == from) *form = to;
  }
}

void Game::Listen() {
  window->SetHandlers({
      .KeyDown = [this](std::int16_t keyCode, std::int16_t shift) { Form_KeyDown(keyCode, shift); },
      .KeyUp = [this](std::int16_t keyCode, std::int16_t shift) { Form_KeyUp(keyCode, shift); },
      .QueryUnload =
          [this] {
            std::int16_t cancel = 0;
            Form_QueryUnload(cancel, 0);
          },
  });
}

void Game::SetCaption(const std::string& text) {
  Stage1.Caption = text;
  window->SetCaption(text);
}

// Copies the back image to the screen.
void Game::Refresh() { window->Present(Stage1.BackImage); }
