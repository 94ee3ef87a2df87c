// The SDL keys the game knows, and the modifiers it is told of.
#include "platform/sdl/keys.h"

#include <gtest/gtest.h>

#include "platform/window.h"

namespace {

using platform::KeyCodeOf;

TEST(SdlKeys, EachKeyTheGameKnowsHasItsCode) {
  for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(KeyCodeOf(SDLK_a + (c - 'a')), vk::Letter(char(c - 'a' + 'A'))) << c;
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(KeyCodeOf(SDLK_0 + d), vk::Digit(d)) << d;
  for (int f = 0; f < 12; ++f) EXPECT_EQ(KeyCodeOf(SDLK_F1 + f), vk::F1 + f) << "F" << f + 1;
  EXPECT_EQ(KeyCodeOf(SDLK_KP_0), vk::Numpad0);
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(KeyCodeOf(SDLK_KP_1 + (d - 1)), vk::Numpad0 + d) << "keypad " << d;

  const struct {
    SDL_Keycode key;
    vk::Code code;
  } named[] = {
      {SDLK_LEFT, vk::Left},      {SDLK_RIGHT, vk::Right},   {SDLK_UP, vk::Up},        {SDLK_DOWN, vk::Down},
      {SDLK_LCTRL, vk::Ctrl},     {SDLK_RCTRL, vk::Ctrl},    {SDLK_LSHIFT, vk::Shift}, {SDLK_RSHIFT, vk::Shift},
      {SDLK_LALT, vk::Alt},       {SDLK_RALT, vk::Alt},      {SDLK_SPACE, vk::Space},  {SDLK_RETURN, vk::Enter},
      {SDLK_KP_ENTER, vk::Enter}, {SDLK_ESCAPE, vk::Escape}, {SDLK_TAB, vk::Tab},      {SDLK_BACKSPACE, vk::Backspace},
      {SDLK_HOME, vk::Home},
  };
  for (const auto& n : named) EXPECT_EQ(KeyCodeOf(n.key), n.code) << SDL_GetKeyName(n.key);
}

TEST(SdlKeys, KeysTheGameDoesNotKnowHaveNone) {
  const SDL_Keycode unknown[] = {SDLK_CAPSLOCK, SDLK_F13,     SDLK_END,     SDLK_DELETE,    SDLK_LGUI,
                                 SDLK_MINUS,    SDLK_KP_PLUS, SDLK_UNKNOWN, SDLK_BACKQUOTE, SDLK_LEFTBRACKET};
  for (const SDL_Keycode key : unknown) {
    EXPECT_EQ(KeyCodeOf(key), -1) << SDL_GetKeyName(key);
  }
}

TEST(SdlKeys, ShiftCtrlAndAltOnEitherSide) {
  using platform::AltMask, platform::CtrlMask, platform::ShiftMask, platform::ShiftStateOf;
  EXPECT_EQ(ShiftStateOf(KMOD_NONE), 0);
  EXPECT_EQ(ShiftStateOf(KMOD_LSHIFT), ShiftMask);
  EXPECT_EQ(ShiftStateOf(KMOD_RSHIFT), ShiftMask);
  EXPECT_EQ(ShiftStateOf(KMOD_LCTRL), CtrlMask);
  EXPECT_EQ(ShiftStateOf(KMOD_RCTRL), CtrlMask);
  EXPECT_EQ(ShiftStateOf(KMOD_LALT), AltMask);
  EXPECT_EQ(ShiftStateOf(KMOD_RALT), AltMask);
  EXPECT_EQ(ShiftStateOf(KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT), ShiftMask | CtrlMask | AltMask);
  // Locks and the Windows key are no modifiers of the game's.
  EXPECT_EQ(ShiftStateOf(KMOD_NUM | KMOD_CAPS | KMOD_GUI | KMOD_MODE), 0);
  EXPECT_EQ(ShiftStateOf(KMOD_CAPS | KMOD_LCTRL), CtrlMask);
}

}  // namespace
