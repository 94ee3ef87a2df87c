// How the Win32 window's key messages reach the game, tested here with the
// messages Windows sends: its rules need no Windows headers.
#include "platform/win32/keys.h"

#include <gtest/gtest.h>

#include "heard_keys.h"

namespace {

namespace winvk = platform::winvk;
using platform::AltMask, platform::CtrlMask, platform::ShiftMask;

TEST(Win32Keys, WindowsKeysAreTheGamesOwnCodesAndTheRestAreNotHeard) {
  using platform::KeyCodeOf;
  for (unsigned c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(KeyCodeOf(c), vk::Letter(char(c))) << char(c);
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(KeyCodeOf(unsigned('0' + d)), vk::Digit(d)) << d;
  for (int f = 0; f < 12; ++f) EXPECT_EQ(KeyCodeOf(winvk::F1 + unsigned(f)), vk::F1 + f) << "F" << f + 1;
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(KeyCodeOf(winvk::Numpad0 + unsigned(d)), vk::Numpad0 + d) << "keypad " << d;
  const struct {
    unsigned key;
    vk::Code code;
  } named[] = {
      {winvk::Left, vk::Left},     {winvk::Right, vk::Right},    {winvk::Up, vk::Up},         {winvk::Down, vk::Down},
      {winvk::Control, vk::Ctrl},  {winvk::LControl, vk::Ctrl},  {winvk::RControl, vk::Ctrl}, {winvk::Shift, vk::Shift},
      {winvk::LShift, vk::Shift},  {winvk::RShift, vk::Shift},   {winvk::Menu, vk::Alt},      {winvk::LMenu, vk::Alt},
      {winvk::RMenu, vk::Alt},     {winvk::Space, vk::Space},    {winvk::Return, vk::Enter},  {winvk::Escape, vk::Escape},
      {winvk::Tab, vk::Tab},       {winvk::Back, vk::Backspace}, {winvk::Home, vk::Home},
  };
  for (const auto& n : named) EXPECT_EQ(KeyCodeOf(n.key), n.code) << n.key;

  // Caps Lock, End, Delete, the Windows keys, keypad *, F13, ';', the mouse's buttons.
  for (const unsigned key : {0x14u, 0x23u, 0x2Eu, 0x5Bu, 0x5Cu, 0x6Au, 0x7Cu, 0xBAu, 0x01u, 0x00u, 0xFFu}) {
    EXPECT_EQ(KeyCodeOf(key), -1) << key;
  }
}

// The window procedure's key messages, as Windows sends them: the context
// code (Alt held, system keys only), the previous key state (auto-repeat) and
// the modifiers held as the message saw them.
class Win32KeyMessages : public HeardKeys {
 protected:
  Win32KeyMessages() {
    router.WhenFullscreenSwitched([this] { heard.push_back("fullscreen"); });
    router.ModifiersFrom([this] { return modifiers; });
  }

  static constexpr std::intptr_t kAltContext = std::intptr_t(1) << 29, kWasDown = std::intptr_t(1) << 30;
  // WM_KEYDOWN, or WM_SYSKEYDOWN with Alt held (`system`).
  void Down(unsigned key, std::int16_t shift, bool system = false, bool repeat = false) {
    RouteKeyMessage(router, key, (system ? kAltContext : 0) | (repeat ? kWasDown : 0), true, shift);
  }
  // WM_KEYUP, or WM_SYSKEYUP with Alt held.
  void Up(unsigned key, std::int16_t shift, bool system = false) {
    RouteKeyMessage(router, key, (system ? kAltContext : 0) | kWasDown, false, shift);
  }

  std::int16_t modifiers = 0;  // what GetKeyState says is held
};

TEST_F(Win32KeyMessages, AltEnterSwitchesFullscreenOnlyAsASystemKeyAndF11Always) {
  Down(winvk::Menu, AltMask, true);
  Down(winvk::Return, AltMask, true);
  Down(winvk::Return, AltMask, true, true);  // held: switches nothing more
  Up(winvk::Return, AltMask, true);
  Up(winvk::Menu, 0);
  EXPECT_EQ(Heard(), (Said{"Alt down +Alt", "fullscreen", "Enter down +Alt", "Enter down +Alt", "Enter up +Alt",
                           "Alt up"}));

  // AltGr is Ctrl with Alt, whose keys are no system keys: AltGr+Enter is
  // keys only, and the game is told of both modifiers.
  Down(winvk::Control, CtrlMask);
  Down(winvk::Menu, CtrlMask | AltMask);
  Down(winvk::Return, CtrlMask | AltMask);
  EXPECT_EQ(Heard(), (Said{"Ctrl down +Ctrl", "Alt down +Ctrl +Alt", "Enter down +Ctrl +Alt"}));

  Down(winvk::F1 + 10, 0);
  Down(winvk::F1 + 10, 0, false, true);
  Down(winvk::Return, 0);
  EXPECT_EQ(Heard(), (Said{"fullscreen", "F11 down", "F11 down", "Enter down"}));
}

TEST_F(Win32KeyMessages, AltF4AsksToCloseAndIsNoKey) {
  Down(winvk::Menu, AltMask, true);
  Down(winvk::F4, AltMask, true);
  Up(winvk::F4, AltMask, true);  // its key-down was never heard
  EXPECT_EQ(Heard(), (Said{"Alt down +Alt", "close"}));

  // F4 alone, and with AltGr, is only a key.
  Down(winvk::F4, 0);
  Down(winvk::F4, CtrlMask | AltMask);
  Up(winvk::F4, 0);
  EXPECT_EQ(Heard(), (Said{"F4 down", "F4 down +Ctrl +Alt", "F4 up"}));
}

TEST_F(Win32KeyMessages, KeysHeldWhenTheWindowGetsOrLosesTheKeyboardGoUpOnce) {
  // Pressed in another window, let go in this one.
  Up(winvk::Left, 0);
  // Held as the window loses the keyboard (WM_KILLFOCUS), let go elsewhere
  // and then in this one.
  Down(winvk::Right, ShiftMask);
  Down(winvk::LShift, ShiftMask);
  router.KeyboardLost();
  Up(winvk::Right, 0);
  Up(winvk::RShift, 0);
  EXPECT_EQ(Heard(), (Said{"Right down +Shift", "Shift down +Shift", "Shift up", "Right up"}));
}

TEST_F(Win32KeyMessages, APadsKeysComeWithTheModifiersWindowsSaysAreHeld) {
  // Shift went down before the window had the keyboard: Windows knows it is held.
  modifiers = ShiftMask;
  router.PadKey(vk::Right, true);
  modifiers = ShiftMask | CtrlMask;
  router.PadKey(vk::Right, false);
  EXPECT_EQ(Heard(), (Said{"Right down +Shift", "Right up +Shift +Ctrl"}));
}

}  // namespace
