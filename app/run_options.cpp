#include "app/run_options.h"

#include <filesystem>

#include "platform/files.h"

std::string CheckRunOptions(const RunOptions& options) {
  if (options.record && options.play) return "--record and --play can't go together";
  // Writing over the script being played, or two outputs into one file, would
  // lose what the run is about. "-" is standard output where a file is
  // written, and standard input where the script is read.
  const auto where = [](const std::string& name) {
    if (name == "-") return std::filesystem::path();
    std::error_code error;
    const std::filesystem::path path = platform::PathOf(name);
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical;
  };
  const auto same = [&](const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && where(*a) == where(*b);
  };
  const bool readsStandardInput = options.play == "-";
  if (same(options.trace, options.record) || (!readsStandardInput && same(options.trace, options.play))) {
    return "--trace names the same file as --" + std::string(options.record ? "record" : "play");
  }
  return "";
}
