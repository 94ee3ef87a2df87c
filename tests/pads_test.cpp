#include "platform/pads.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using platform::PadKeys;
using platform::PadReading;

namespace {

using Changes = std::vector<std::pair<vk::Code, bool>>;

// The changes one reading makes.
Changes Read(PadKeys& pad, const PadReading& reading) {
  Changes changes;
  pad.Update(reading, [&](vk::Code code, bool down) { changes.emplace_back(code, down); });
  return changes;
}

PadReading StickAt(double x, double y) {
  PadReading r;
  r.stickX = x;
  r.stickY = y;
  return r;
}

TEST(PadKeys, TheStickHoldsPastHalfWayAndLetsGoOnlyWithinAThird) {
  PadKeys pad;
  EXPECT_EQ(Read(pad, StickAt(0.49, 0)), Changes{});
  EXPECT_EQ(Read(pad, StickAt(0.5, 0)), (Changes{{vk::Right, true}}));
  // Back across half-way, but not within a third: still held.
  EXPECT_EQ(Read(pad, StickAt(0.4, 0)), Changes{});
  EXPECT_EQ(Read(pad, StickAt(0.34, 0)), Changes{});
  EXPECT_EQ(Read(pad, StickAt(0.33, 0)), (Changes{{vk::Right, false}}));
  // Out again: half-way once more, not a third.
  EXPECT_EQ(Read(pad, StickAt(0.45, 0)), Changes{});
  EXPECT_EQ(Read(pad, StickAt(0.5, 0)), (Changes{{vk::Right, true}}));
  // Straight across to the other side: one lets go as the other takes hold.
  EXPECT_EQ(Read(pad, StickAt(-1, 0)), (Changes{{vk::Left, true}, {vk::Right, false}}));
  // The stick's y grows downwards: up is Up.
  EXPECT_EQ(Read(pad, StickAt(-1, -0.6)), (Changes{{vk::Up, true}}));
  EXPECT_EQ(Read(pad, StickAt(0, 1)), (Changes{{vk::Left, false}, {vk::Up, false}, {vk::Down, true}}));
}

TEST(PadKeys, EachButtonStandsForItsKeyAndAnUnpluggedPadLetsGoOfAll) {
  PadKeys pad;
  PadReading all;
  all.dpadLeft = all.dpadRight = all.dpadUp = all.dpadDown = true;
  all.south = all.east = all.west = all.north = all.rightShoulder = all.start = true;
  const Changes pressed = Read(pad, all);
  EXPECT_EQ(pressed, (Changes{{vk::Left, true},
                              {vk::Right, true},
                              {vk::Up, true},
                              {vk::Down, true},
                              {vk::Up, true},
                              {vk::Ctrl, true},
                              {vk::Ctrl, true},
                              {vk::Space, true},
                              {vk::Space, true},
                              {vk::P, true}}));
  // The same reading again changes nothing: a held button is not pressed again.
  EXPECT_EQ(Read(pad, all), Changes{});

  Changes released;
  pad.Release([&](vk::Code code, bool down) { released.emplace_back(code, down); });
  ASSERT_EQ(released.size(), pressed.size());
  for (std::size_t i = 0; i < released.size(); ++i) EXPECT_EQ(released[i], std::make_pair(pressed[i].first, false));
}

}  // namespace
