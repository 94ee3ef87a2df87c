#include "replay/link.h"

#include "replay/deflate.h"
#include "replay/recording.h"

namespace replay {

std::string LinkText(std::string_view recording) {
  if (recording.starts_with("\xEF\xBB\xBF")) recording.remove_prefix(3);
  std::string text;
  bool first = true;
  while (!recording.empty()) {
    const std::size_t end = recording.find('\n');
    std::string_view line = recording.substr(0, end);
    recording.remove_prefix(end == std::string_view::npos ? recording.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t start = line.find_first_not_of(" \t");
    const bool blank = start == std::string_view::npos;
    const bool comment = !blank && line[start] == '#';
    const bool kept = (first && comment) || (!blank && !comment) ||
                      (IsResultLine(line) && (!line.starts_with("# check ") || line.starts_with("# check all ")));
    if (kept) text.append(line).append("\n");
    first = false;
  }
  return text;
}

std::string LinkFragment(std::string_view recording) { return "#run=" + Base64Url(Deflate(LinkText(recording))); }

std::string Base64Url(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string text;
  std::uint32_t bits = 0;
  int held = 0;
  for (const char c : bytes) {
    bits = (bits << 8) | static_cast<unsigned char>(c);
    held += 8;
    while (held >= 6) {
      held -= 6;
      text += kDigits[(bits >> held) & 63];
    }
  }
  if (held > 0) text += kDigits[(bits << (6 - held)) & 63];
  return text;
}

}  // namespace replay
