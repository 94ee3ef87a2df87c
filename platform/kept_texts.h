// The few texts the game keeps for its player from one run to the next (the
// best run and the best splits), each under a name, each written whole or not
// at all: a game killed while writing leaves the text it had before.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

class KeptTexts {
 public:
  virtual ~KeptTexts() = default;
  // The text, or nullopt when none is kept under that name.
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  // Replaces the text whole; false, with `error` saying why, leaves it as it was.
  virtual bool Write(const std::string& name, const std::string& text, std::string& error) = 0;
  // Moves the text to `aside`, out of the way, replacing what was kept there.
  virtual bool SetAside(const std::string& name, const std::string& aside) = 0;
  // How a message names it: its file.
  virtual std::string Where(const std::string& name) const = 0;
};

// Texts kept as files in a folder, made when first written to. Each write
// goes to a file beside the one it replaces, renamed over it once written.
class KeptFiles final : public KeptTexts {
 public:
  explicit KeptFiles(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::string& text, std::string& error) override;
  bool SetAside(const std::string& name, const std::string& aside) override;
  std::string Where(const std::string& name) const override;

 private:
  std::string folder_;
};

// The player's own: files in $XDG_DATA_HOME/plinkard (~/.local/share/plinkard)
// on Linux and in %APPDATA%\Plinkard on Windows, the browser's local storage
// on the page. Null where there is no such place (no home folder).
std::unique_ptr<KeptTexts> PlayersKeptTexts();

}  // namespace platform
