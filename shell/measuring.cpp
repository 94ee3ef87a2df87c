#include <cstdio>
#include <string>

#include "shell/module1.h"
#include "shell/stage1.h"

namespace {

constexpr std::size_t kKeyW = 87, kKeyS = 83, kKeyA = 65, kKeyD = 68, kKeyT = 84, kKeyG = 71, kKeyF = 70,
                      kKeyH = 72;

// A single-precision number as the labels write it: up to seven significant
// digits, no trailing zeros, no point for whole numbers (552, 551.9, -3).
std::string SingleText(float value) {
  if (value == 0) value = 0;  // no "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.7G", double(value));
  return text;
}

}  // namespace

namespace module1 {

// The measuring image follows the eight measuring keys, and the labels say
// where it is. Nothing shows them; the figures are for whoever reads them.
void MoveMeasure() {
  ImageControl& measure = Stage1.measure;
  if (KeyState[kKeyW] == True) measure.Top = measure.Top - 1.0f;
  if (KeyState[kKeyS] == True) measure.Top = measure.Top + 1.0f;
  if (KeyState[kKeyA] == True) measure.Left = measure.Left - 1.0f;
  if (KeyState[kKeyD] == True) measure.Left = measure.Left + 1.0f;
  if (KeyState[kKeyT] == True) measure.Top = float(double(measure.Top) - 0.1);
  if (KeyState[kKeyG] == True) measure.Top = float(double(measure.Top) + 0.1);
  if (KeyState[kKeyF] == True) measure.Left = float(double(measure.Left) - 0.1);
  if (KeyState[kKeyH] == True) measure.Left = float(double(measure.Left) + 0.1);
  Stage1.Label1.Caption = SingleText(measure.Left);
  Stage1.Label2.Caption = SingleText(measure.Top);
}

}  // namespace module1
