#include "platform/held_keys.h"

namespace platform {

void HeldKeys::Press(vk::Code code, KeySource source) {
  if (code < 0 || code >= kCodes) return;
  Holders& key = keys_[std::size_t(code)];
  if (source == KeySource::Keyboard) {
    key.keyboard = true;
  } else {
    ++key.padInputs;
  }
}

bool HeldKeys::Release(vk::Code code, KeySource source) {
  if (code < 0 || code >= kCodes) return true;
  Holders& key = keys_[std::size_t(code)];
  if (source == KeySource::Keyboard) {
    key.keyboard = false;
  } else if (key.padInputs > 0) {
    --key.padInputs;
  }
  return !key.keyboard && key.padInputs == 0;
}

}  // namespace platform
