// The player's kept texts on the page: the browser's local storage, each text
// under "plinkard/" and its name. One setItem replaces a text whole or, when
// the browser refuses it (its storage for the page is full, or it keeps none
// for the page), not at all.
#include <cstdlib>

#include "platform/kept_texts.h"

// The page's side, in platform/web/kept_storage.js.
extern "C" {
// The text kept under `key` (to be freed), or null when there is none.
char* plinkard_kept_read(const char* key);
// Null when written; else why not (to be freed).
char* plinkard_kept_write(const char* key, const char* text);
// Whether the text under `key` moved to `aside`.
int plinkard_kept_move(const char* key, const char* aside);
}

namespace platform {
namespace {

constexpr const char* kPrefix = "plinkard/";

// A string the page made, taken over and freed.
std::optional<std::string> Taken(char* text) {
  if (text == nullptr) return std::nullopt;
  std::string taken(text);
  std::free(text);
  return taken;
}

class LocalStorage final : public KeptTexts {
 public:
  std::optional<std::string> Read(const std::string& name) override {
    return Taken(plinkard_kept_read(Key(name).c_str()));
  }
  bool Write(const std::string& name, const std::string& text, std::string& error) override {
    const std::optional<std::string> refused = Taken(plinkard_kept_write(Key(name).c_str(), text.c_str()));
    if (refused) error = Where(name) + ": " + *refused;
    return !refused;
  }
  bool SetAside(const std::string& name, const std::string& aside) override {
    return plinkard_kept_move(Key(name).c_str(), Key(aside).c_str()) != 0;
  }
  std::string Where(const std::string& name) const override { return Key(name) + " in the browser's storage"; }

 private:
  static std::string Key(const std::string& name) { return kPrefix + name; }
};

}  // namespace

std::unique_ptr<KeptTexts> PlayersKeptTexts() { return std::make_unique<LocalStorage>(); }

}  // namespace platform
