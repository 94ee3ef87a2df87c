#include <cstdio>
#include <string>

#include "platform/keys.h"
#include "shell/game.h"

namespace {

// A single-precision number as the labels write it: up to seven significant
// digits, no trailing zeros, no point for whole numbers (552, 551.9, -3).
std::string SingleText(float value) {
  if (value == 0) value = 0;  // no "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.7G", double(value));
  return text;
}

}  // namespace

// The measuring image follows the eight measuring keys, and the labels say
// where it is. Nothing shows them; the figures are for whoever reads them.
void Game::MoveMeasure() {
  ImageControl& measure = Stage1.measure;
  if (KeyState[vk::W] == True) measure.Top = measure.Top - 1.0f;
  if (KeyState[vk::S] == True) measure.Top = measure.Top + 1.0f;
  if (KeyState[vk::A] == True) measure.Left = measure.Left - 1.0f;
  if (KeyState[vk::D] == True) measure.Left = measure.Left + 1.0f;
  if (KeyState[vk::T] == True) measure.Top = float(double(measure.Top) - 0.1);
  if (KeyState[vk::G] == True) measure.Top = float(double(measure.Top) + 0.1);
  if (KeyState[vk::F] == True) measure.Left = float(double(measure.Left) - 0.1);
  if (KeyState[vk::H] == True) measure.Left = float(double(measure.Left) + 0.1);
  Stage1.Label1.Caption = SingleText(measure.Left);
  Stage1.Label2.Caption = SingleText(measure.Top);
}
