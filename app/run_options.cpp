#include "app/run_options.h"

#include <array>
#include <filesystem>
#include <utility>

bool TakeRunOption(int argc, char** argv, int& i, RunOptions& options) {
  const std::array<std::pair<const char*, std::optional<std::string>*>, 3> table{{
      {"--record", &options.record},
      {"--trace", &options.trace},
      {"--play", &options.play},
  }};
  const std::string arg = argv[i];
  for (const auto& [name, slot] : table) {
    if (arg != name) continue;
    if (*slot) throw UsageError(arg + " given twice");
    if (i + 1 >= argc) throw UsageError(arg + " needs a file");
    *slot = argv[++i];
    return true;
  }
  return false;
}

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
