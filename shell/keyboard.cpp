#include "platform/keys.h"
#include "shell/game.h"

namespace {

// KeyState keeps codes 0 to 99; 100 and above, and anything negative, it does not.
bool KeptInKeyState(std::int16_t keyCode) { return keyCode >= 0 && keyCode < module1::kKeyStateUpper; }

}  // namespace

void Game::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
  if (KeptInKeyState(KeyCode)) KeyState[std::size_t(KeyCode)] = True;
  if (KeyCode == vk::P) TogglePause();
  if (KeyCode == vk::Left) Player.TurnLeft();
  if (KeyCode == vk::Right) Player.TurnRight();
  if (KeyCode == vk::Up) Player.Jump();
  if (KeyCode == vk::Down) Player.Crouch();
  if (KeyCode == vk::Space) Player.Action();
  if (KeyCode == vk::Ctrl) Player.Run(True);
}

void Game::Form_KeyUp(std::int16_t KeyCode, std::int16_t /*Shift*/) {
  if (KeptInKeyState(KeyCode)) KeyState[std::size_t(KeyCode)] = False;
  if (KeyCode == vk::Ctrl) Player.Run(False);
}

// Closing the window ends the program at once, from whichever pump delivered it.
void Game::Form_QueryUnload(std::int16_t& /*Cancel*/, std::int16_t /*UnloadMode*/) {
  Running = False;
  platform::EndProgram();
}

void Game::TogglePause() {
  if (Paused == False) {
    Paused = True;
    SetCaption("PAUSED");
  } else {
    // The caption keeps "PAUSED" until the next frame-rate report.
    Paused = False;
  }
}
