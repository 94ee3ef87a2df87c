#include "app/run_options.h"

#include <filesystem>

void CheckRunOptions(const RunOptions& options) {
  if (options.record && options.play) throw UsageError("--record and --play can't go together");
  // Writing over the script being played, or two outputs into one file, would
  // lose what the run is about.
  const auto path = [](const std::string& name) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(name, error);
    return error ? std::filesystem::path(name) : canonical;
  };
  const auto same = [&](const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && path(*a) == path(*b);
  };
  if (same(options.trace, options.record) || same(options.trace, options.play)) {
    throw UsageError("--trace names the same file as --" + std::string(options.record ? "record" : "play"));
  }
}
