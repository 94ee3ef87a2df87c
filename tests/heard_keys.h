// A key router whose handlers write down what they heard, as "Right down",
// "Up up +Ctrl", "close" or "fullscreen", for the tests of what the game
// hears of the keyboard and the pads.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/key_names.h"
#include "platform/key_router.h"

class HeardKeys : public testing::Test {
 protected:
  using Said = std::vector<std::string>;

  HeardKeys() {
    router.SetHandlers({
        .KeyDown = [this](vk::Code code, std::int16_t shift) { heard.push_back(Told(code, "down", shift)); },
        .KeyUp = [this](vk::Code code, std::int16_t shift) { heard.push_back(Told(code, "up", shift)); },
        .QueryUnload = [this] { heard.push_back("close"); },
    });
  }

  // Delivers what is queued, and answers what the handlers heard of it.
  Said Heard() {
    heard.clear();
    router.Deliver();
    return heard;
  }

  static std::string Told(vk::Code code, const char* what, std::int16_t shift) {
    std::string said(1, 'F');  // a key without a name here is a function key
    said += std::to_string(code - vk::F1 + 1);
    if (const auto name = vk::NameOf(code)) said = *name;
    said += ' ';
    said += what;
    if (shift & platform::ShiftMask) said += " +Shift";
    if (shift & platform::CtrlMask) said += " +Ctrl";
    if (shift & platform::AltMask) said += " +Alt";
    return said;
  }

  platform::KeyRouter router;
  Said heard;
};
