#include "platform/held_keys.h"

#include <gtest/gtest.h>

using platform::HeldKeys;
using platform::KeySource;

namespace {

TEST(HeldKeys, TheKeyboardAloneIsHeardGoingUpAsItAlwaysWas) {
  HeldKeys keys;
  keys.Press(vk::Right, KeySource::Keyboard);
  keys.Press(vk::Right, KeySource::Keyboard);  // the keyboard's repeat
  EXPECT_TRUE(keys.Release(vk::Right, KeySource::Keyboard));
  // A key-up for a key pressed before the window had the keyboard.
  EXPECT_TRUE(keys.Release(vk::Left, KeySource::Keyboard));
}

TEST(HeldKeys, AKeyGoesUpOnlyWhenNeitherTheKeyboardNorAnyPadInputHoldsIt) {
  HeldKeys keys;
  keys.Press(vk::Right, KeySource::Keyboard);
  keys.Press(vk::Right, KeySource::Pad);
  EXPECT_FALSE(keys.Release(vk::Right, KeySource::Pad));
  EXPECT_TRUE(keys.Release(vk::Right, KeySource::Keyboard));

  // The D-pad and the stick both on Up, and the keyboard too.
  keys.Press(vk::Up, KeySource::Pad);
  keys.Press(vk::Up, KeySource::Pad);
  keys.Press(vk::Up, KeySource::Keyboard);
  EXPECT_FALSE(keys.Release(vk::Up, KeySource::Keyboard));
  EXPECT_FALSE(keys.Release(vk::Up, KeySource::Pad));
  EXPECT_TRUE(keys.Release(vk::Up, KeySource::Pad));
  // A release the pad never pressed (its press was lost) frees nothing twice.
  EXPECT_TRUE(keys.Release(vk::Up, KeySource::Pad));
  keys.Press(vk::Up, KeySource::Keyboard);
  EXPECT_TRUE(keys.Release(vk::Up, KeySource::Keyboard));
}

TEST(HeldKeys, CodesOutsideTheTableAreNeverHeld) {
  HeldKeys keys;
  keys.Press(-1, KeySource::Pad);
  keys.Press(300, KeySource::Keyboard);
  EXPECT_TRUE(keys.Release(-1, KeySource::Pad));
  EXPECT_TRUE(keys.Release(300, KeySource::Keyboard));
}

}  // namespace
