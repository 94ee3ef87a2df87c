#include "app/import_best.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/best.h"
#include "replay/script.h"

int ImportBest(const std::string& name) {
  const std::optional<std::string> text = replay::ReadScriptFile(name);
  if (!text) {
    std::fprintf(stderr, "plinkard: %s: can't read: %s\n", name.c_str(), std::strerror(errno));
    return 1;
  }
  const std::unique_ptr<platform::KeptTexts> kept = platform::PlayersKeptTexts();
  BestStore best(kept.get(), [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
  const BestStore::Imported imported = best.Import(*text, name);
  std::fprintf(imported.status == 0 ? stdout : stderr, "%s%s\n", imported.status == 0 ? "" : "plinkard: ",
               imported.words.c_str());
  return imported.status;
}
