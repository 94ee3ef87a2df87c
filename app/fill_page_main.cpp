// plinkard-fill-page TEMPLATE OUTPUT
// Writes a file of the web page (its HTML, its manifest) from TEMPLATE with
// the game's own facts in place of these words:
//   @PLINKARD_KEYS@        the strip of keys under the picture, from the table --help lists
//   @PLINKARD_WATCH_KEYS@  the strip of keys while a run is watched
//   @PLINKARD_RACE_KEYS@   the strip of keys for racing, playing or watching
//   @PLINKARD_SURROUND@    the colour around the picture, as CSS writes it
// A build step of the web page; any other @PLINKARD_...@ in TEMPLATE fails it.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "generated/version.h"
#include "platform/presentation.h"
#include "shell/key_help.h"

namespace {

constexpr const char* kUsage =
    "usage: plinkard-fill-page TEMPLATE OUTPUT\n"
    "Writes TEMPLATE to OUTPUT with the game's keys and colours in place of\n"
    "@PLINKARD_KEYS@, @PLINKARD_WATCH_KEYS@, @PLINKARD_RACE_KEYS@ and\n"
    "@PLINKARD_SURROUND@.\n";

std::string Escaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      default: html += c; break;
    }
  }
  return html;
}

// One line a row: <span><kbd>←</kbd> <kbd>→</kbd> walk</span>
template <std::size_t n>
std::string KeyStrip(const KeyHelp (&table)[n]) {
  std::string strip;
  for (const KeyHelp& row : table) {
    strip += "  <span>";
    std::string_view keys = row.pageKeys;
    while (!keys.empty()) {
      const std::size_t space = keys.find(' ');
      strip += "<kbd>" + Escaped(keys.substr(0, space)) + "</kbd> ";
      keys = space == std::string_view::npos ? std::string_view() : keys.substr(space + 1);
    }
    strip += Escaped(row.briefly) + "</span>\n";
  }
  return strip;
}

std::string Surround() {
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%06x", unsigned(platform::kSurround));
  return colour;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("plinkard-fill-page %s\n", PLINKARD_VERSION);
    return 0;
  }
  if (argc != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "plinkard-fill-page: %s: can't read\n", argv[1]);
    return 1;
  }

  const struct {
    std::string_view word;
    std::string value;
  } facts[] = {
      {"@PLINKARD_KEYS@", KeyStrip(kKeyHelp)},
      {"@PLINKARD_WATCH_KEYS@", KeyStrip(kWatchKeyHelp)},
      {"@PLINKARD_RACE_KEYS@", KeyStrip(kRaceKeyHelp)},
      {"@PLINKARD_SURROUND@", Surround()},
  };
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t word = text.find("@PLINKARD_", at);
    out.append(text, at, word == std::string::npos ? std::string::npos : word - at);
    if (word == std::string::npos) break;
    at = word;
    for (const auto& fact : facts) {
      if (std::string_view(text).substr(word).starts_with(fact.word)) {
        out += fact.value;
        at += fact.word.size();
        break;
      }
    }
    if (at == word) {
      std::fprintf(stderr, "plinkard-fill-page: %s: unknown word %.40s\n", argv[1], text.c_str() + word);
      return 1;
    }
  }

  std::ofstream file(argv[2], std::ios::binary);
  file << out;
  file.close();
  if (!file) {
    std::fprintf(stderr, "plinkard-fill-page: %s: can't write\n", argv[2]);
    return 1;
  }
  return 0;
}
