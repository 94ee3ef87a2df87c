// The game on a web page: the back image on the page's canvas, the caption as
// the page's title, the page's keys, its touch buttons and game pads, an
// in-page dialog for the message box, and the tick from performance.now().
// The game's loop runs as one blocking call: every wait hands the page back to
// the browser until the wait is over.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_router.h"
#include "platform/presentation.h"
#include "platform/pads.h"
#include "platform/window.h"

namespace platform {

class WebWindow final : public Window {
 public:
  // Starts listening to the page's keys, touch buttons and focus.
  WebWindow();
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  void SetHandlers(WindowHandlers handlers) override { router_.SetHandlers(std::move(handlers)); }
  // Shows the canvas at the largest whole scale that fits the browser window.
  void ShowMaximized() override;
  void SetCaption(const std::string& caption) override;
  void Present(const Surface& backImage) override;
  // Reads the pads, then delivers what happened since the last pump.
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;
  // The page's dialog, answered by Enter, Escape, OK, a tap or a pad's south button.
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override;

  // What the page does when it is hidden (another tab, the phone's home
  // screen), and when asked to by Ask(); each called from a pump in its
  // turn among the keys.
  void WhenHidden(std::function<void()> hidden) { whenHidden_ = std::move(hidden); }
  void WhenAsked(std::function<void()> asked) { whenAsked_ = std::move(asked); }
  void Ask();
  // A key pressed and let go, to the handlers at once, as if from the keyboard.
  void Press(vk::Code code);

  // From the page's event listeners. Key answers whether the page's own use of
  // the key (scrolling, say) is to be stopped. A touch button is a key, by
  // its name ("Left", "Ctrl").
  bool Key(bool down, int keyCode, std::int16_t shift);
  void TouchKey(bool down, std::string_view name, std::int16_t shift);
  // Lets go of every key held on the page: when the page loses the keyboard,
  // and when the dialog takes it.
  void ReleaseHeldKeys();
  void Hidden();

 private:
  struct Pad {
    int index;  // its place in navigator.getGamepads()
    PadKeys keys;
    bool south = false;  // as last read
  };

  // Looks at the pads; with `heard` false a button pressed goes unheard (it
  // answered the dialog, or was held through it) and only its release counts.
  // Answers whether a pad's south button went down.
  bool ReadPads(bool heard = true);

  KeyRouter router_;
  std::function<void()> whenHidden_;
  std::function<void()> whenAsked_;
  std::vector<Pad> pads_;
  bool inMessageBox_ = false;
  std::array<char, 16> touchName_{};   // where the page writes the name of a touch button's key
  std::vector<std::uint32_t> canvas_;  // the picture as the canvas takes it: R, G, B, A bytes
  ScreenDamage damage_;                // what of the picture the canvas lacks
  std::vector<int> rects_;             // what Present draws (x, y, w, h each), kept from frame to frame
};

}  // namespace platform
