// The game on a web page: the back image on the page's canvas, the caption as
// the page's title, the page's keys, an in-page dialog for the message box, and
// the tick from performance.now(). The game's loop runs as one blocking call:
// every wait hands the page back to the browser until the wait is over.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

class WebWindow final : public Window {
 public:
  // Starts listening to the page's keys and focus.
  WebWindow();
  ~WebWindow() override;
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  void SetHandlers(WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  // Shows the canvas at the largest whole scale that fits the browser window.
  void ShowMaximized() override;
  void SetCaption(const std::string& caption) override;
  void Present(const Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override;

  // From the page's event listeners. Key answers whether the page's own use of
  // the key (scrolling, say) is to be stopped.
  bool Key(bool down, int keyCode, std::int16_t shift);
  // Lets go of every key held on the page: when the page loses the keyboard,
  // and when the dialog takes it.
  void ReleaseHeldKeys();

 private:
  struct KeyEvent {
    bool down;
    vk::Code code;
    std::int16_t shift;
  };

  void Queue(const KeyEvent& event);

  WindowHandlers handlers_;
  std::deque<KeyEvent> pending_;
  std::array<bool, 256> held_{};  // by key code: down on the page, not yet up
  bool inMessageBox_ = false;
  std::vector<std::uint32_t> canvas_;  // the picture as the canvas takes it: R, G, B, A bytes
  std::vector<int> rects_;             // what Present draws (x, y, w, h each), kept from frame to frame
};

}  // namespace platform
