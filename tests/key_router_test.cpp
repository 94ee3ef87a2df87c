// What the game hears of the keyboard and the pads, on every backend.
#include "platform/key_router.h"

#include <gtest/gtest.h>

#include "heard_keys.h"

namespace {

constexpr vk::Code kF11 = vk::F1 + 10;

class KeyRouterTest : public HeardKeys {
 protected:
  void Press(vk::Code code, std::int16_t shift = 0) { router.Key(code, true, shift); }
  void Release(vk::Code code, std::int16_t shift = 0) { router.Key(code, false, shift); }
};

TEST_F(KeyRouterTest, AKeyGoesUpOnlyWhenNeitherTheKeyboardNorAnyPadInputHoldsIt) {
  Press(vk::Right);
  Press(vk::Right);  // the keyboard's auto-repeat: heard at every press
  router.PadKey(vk::Right, true);
  router.PadKey(vk::Right, false);
  EXPECT_EQ(Heard(), (Said{"Right down", "Right down", "Right down"}));
  Release(vk::Right);
  EXPECT_EQ(Heard(), Said{"Right up"});

  // The D-pad and the stick both on Up, and the keyboard too: the last to let go is heard.
  router.PadKey(vk::Up, true);
  router.PadKey(vk::Up, true);
  Press(vk::Up);
  Release(vk::Up);
  router.PadKey(vk::Up, false);
  EXPECT_EQ(Heard(), (Said{"Up down", "Up down", "Up down"}));
  router.PadKey(vk::Up, false);
  EXPECT_EQ(Heard(), Said{"Up up"});

  // A pad's release whose press went unheard (it answered a message) is heard
  // going up, and frees nothing twice: the keyboard's Up still counts.
  router.PadKey(vk::Up, false);
  Press(vk::Up);
  router.PadKey(vk::Up, false);
  EXPECT_EQ(Heard(), (Said{"Up up", "Up down"}));
  Release(vk::Up);
  EXPECT_EQ(Heard(), Said{"Up up"});
}

TEST_F(KeyRouterTest, AKeyUpWithoutItsKeyDownMeansNothing) {
  // The key went down before the window had the keyboard.
  Release(vk::Left);
  EXPECT_EQ(Heard(), Said{});

  // Nor does it let go of a key a pad holds: the player keeps walking.
  router.PadKey(vk::Right, true);
  Release(vk::Right);
  EXPECT_EQ(Heard(), Said{"Right down"});

  // Both Ctrl keys are the game's one Ctrl: the first to go up lets go of it,
  // and the other's key-up is one without its key-down.
  Press(vk::Ctrl);
  Press(vk::Ctrl);
  Release(vk::Ctrl);
  Release(vk::Ctrl);
  EXPECT_EQ(Heard(), (Said{"Ctrl down", "Ctrl down", "Ctrl up"}));

  // Keys the game does not know are never heard, going down or up.
  Press(-1);
  Release(-1);
  router.PadKey(300, true);
  router.PadKey(300, false);
  EXPECT_EQ(Heard(), Said{});
}

TEST_F(KeyRouterTest, LosingTheKeyboardLetsGoOfEverythingItHeldAndNothingAPadHolds) {
  Press(vk::Ctrl, platform::CtrlMask);
  Press(vk::Right, platform::CtrlMask);
  Press(vk::Up, platform::CtrlMask);
  router.PadKey(vk::Up, true);
  Heard();
  router.KeyboardLost();
  EXPECT_EQ(Heard(), (Said{"Ctrl up", "Right up"}));

  // Their key-ups, once the window has the keyboard again, are not heard twice.
  Release(vk::Right);
  Release(vk::Ctrl);
  EXPECT_EQ(Heard(), Said{});
  router.PadKey(vk::Up, false);
  EXPECT_EQ(Heard(), Said{"Up up"});

  // Nothing held: nothing to let go of.
  router.KeyboardLost();
  EXPECT_EQ(Heard(), Said{});
  Press(vk::Right);
  Release(vk::Right);
  EXPECT_EQ(Heard(), (Said{"Right down", "Right up"}));
}

TEST_F(KeyRouterTest, APadsKeysComeWithTheModifiersTheKeyboardHolds) {
  Press(vk::Shift, platform::ShiftMask);
  Press(vk::Ctrl, platform::ShiftMask | platform::CtrlMask);
  router.PadKey(vk::Right, true);
  Release(vk::Shift, platform::CtrlMask);
  router.PadKey(vk::Right, false);
  Press(vk::Alt, platform::CtrlMask | platform::AltMask);
  router.PadKey(vk::Up, true);
  EXPECT_EQ(Heard(), (Said{"Shift down +Shift", "Ctrl down +Shift +Ctrl", "Right down +Shift +Ctrl", "Shift up +Ctrl",
                           "Right up +Ctrl", "Alt down +Ctrl +Alt", "Up down +Ctrl +Alt"}));
  // The window lost the keyboard: it holds no modifier any more.
  router.KeyboardLost();
  router.PadKey(vk::Up, false);
  EXPECT_EQ(Heard(), (Said{"Ctrl up", "Alt up", "Up up"}));
}

TEST_F(KeyRouterTest, OnTheDesktopF11AndAltEnterSwitchFullscreenAndReachTheGameAsKeys) {
  router.WhenFullscreenSwitched([this] { heard.push_back("fullscreen"); });
  router.Key(kF11, true, 0);
  router.Key(kF11, true, 0, true);  // auto-repeat switches nothing
  router.Key(kF11, false, 0);
  EXPECT_EQ(Heard(), (Said{"fullscreen", "F11 down", "F11 down", "F11 up"}));

  router.Key(vk::Enter, true, platform::AltMask);
  router.Key(vk::Enter, true, platform::AltMask, true);
  router.Key(vk::Enter, false, platform::AltMask);
  router.Key(kF11, true, platform::ShiftMask | platform::CtrlMask);
  EXPECT_EQ(Heard(), (Said{"fullscreen", "Enter down +Alt", "Enter down +Alt", "Enter up +Alt", "fullscreen",
                           "F11 down +Shift +Ctrl"}));

  // Enter alone answers the death message; Alt with other keys, and Ctrl with
  // Enter, are only keys.
  router.Key(vk::Enter, true, 0);
  router.Key(vk::Enter, true, platform::CtrlMask);
  router.Key(vk::Space, true, platform::AltMask);
  router.PadKey(vk::Space, true);
  router.Key(vk::F1 + 9, true, platform::AltMask);  // F10
  EXPECT_EQ(Heard(), (Said{"Enter down", "Enter down +Ctrl", "Space down +Alt", "Space down", "F10 down +Alt"}));
}

TEST_F(KeyRouterTest, WithoutAFullscreenToSwitchF11AndAltEnterAreOnlyKeys) {
  router.Key(kF11, true, 0);
  router.Key(vk::Enter, true, platform::AltMask);
  EXPECT_EQ(Heard(), (Said{"F11 down", "Enter down +Alt"}));
}

// Windows' window procedure and the page's listeners queue; the pump delivers.
TEST_F(KeyRouterTest, TheHandlersHearEverythingInTheOrderItHappenedAndOnlyWhenDelivered) {
  int queued = 0;
  router.WhenQueued([&queued] { ++queued; });
  Press(vk::Right);
  router.Queue([this] { heard.push_back("hidden"); });
  router.KeyboardLost();
  router.PadKey(vk::P, true);
  router.Close();
  router.PadKey(vk::P, false);
  EXPECT_EQ(queued, 6);
  EXPECT_TRUE(heard.empty());
  EXPECT_TRUE(router.Pending());
  EXPECT_EQ(Heard(), (Said{"Right down", "hidden", "Right up", "P down", "close", "P up"}));
  EXPECT_FALSE(router.Pending());
}

// The close's handler ends the program by throwing, from the pump: what came
// after it stays queued, and a handler that throws for its own reasons leaves
// the rest in order for the next pump.
TEST_F(KeyRouterTest, AHandlerThatThrowsLeavesTheRestQueuedInOrder) {
  struct Ended {};
  router.SetHandlers({
      .KeyDown = [this](vk::Code code, std::int16_t shift) { heard.push_back(Told(code, "down", shift)); },
      .KeyUp = [this](vk::Code code, std::int16_t shift) { heard.push_back(Told(code, "up", shift)); },
      .QueryUnload = [] { throw Ended{}; },
  });
  Press(vk::Left);
  router.Close();
  Release(vk::Left);
  heard.clear();
  EXPECT_THROW(router.Deliver(), Ended);
  EXPECT_EQ(heard, Said{"Left down"});
  EXPECT_EQ(Heard(), Said{"Left up"});

  router.Queue([] { throw Ended{}; });  // the page turning to watch a run
  Press(vk::Up);
  EXPECT_THROW(router.Deliver(), Ended);
  EXPECT_EQ(Heard(), Said{"Up down"});
}

// A close asked for while the death message was up ends the game as the
// message goes, before the keys let go meanwhile, which wait for the pump.
TEST_F(KeyRouterTest, ACloseAskedForDuringAMessageIsDeliveredFirst) {
  Press(vk::Right);
  EXPECT_EQ(Heard(), Said{"Right down"});
  heard.clear();
  router.DeliverClose();  // no close: nothing
  EXPECT_TRUE(heard.empty());

  router.KeyboardLost();
  router.Close();
  router.PadKey(vk::Up, true);
  router.DeliverClose();
  EXPECT_EQ(heard, Said{"close"});
  EXPECT_EQ(Heard(), (Said{"Right up", "Up down"}));
}

}  // namespace
