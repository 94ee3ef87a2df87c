#include "replay/script.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/files.h"
#include "platform/key_names.h"

namespace replay {
namespace {

using platform::ScriptedEvent;

constexpr std::int64_t kMaxTime = 2147483647;

bool Blank(char c) { return c == ' ' || c == '\t'; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A field as an error message shows it: printable ASCII, anything else escaped,
// and never more than a few dozen characters.
std::string Shown(std::string_view field) {
  constexpr std::size_t kLongest = 40;
  std::string shown = "\"";
  for (std::size_t i = 0; i < field.size() && i < kLongest; ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      shown += char(c);
    } else {
      constexpr char kHex[] = "0123456789abcdef";
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  if (field.size() > kLongest) shown += "...";
  return shown + "\"";
}

std::optional<std::int16_t> KeyCode(std::string_view key) {
  if (const std::optional<vk::Code> named = vk::CodeNamed(key)) return *named;
  if (key.size() == 1) return std::nullopt;
  // Two or more characters: a key code, an optional minus and decimal digits.
  const std::string_view digits = key[0] == '-' ? key.substr(1) : key;
  if (!AllDigits(digits)) return std::nullopt;
  int code = 0;
  const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), code);
  if (error != std::errc() || end != key.data() + key.size() || code < -32768 || code > 32767) return std::nullopt;
  return std::int16_t(code);
}

class LineReader {
 public:
  LineReader(std::string_view line, const std::string& where) : rest_(line), where_(where) {}

  // The next blank-separated field, or empty at the end of the line.
  std::string_view Next() {
    while (!rest_.empty() && Blank(rest_.front())) rest_.remove_prefix(1);
    std::size_t n = 0;
    while (n < rest_.size() && !Blank(rest_[n])) ++n;
    const std::string_view field = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return field;
  }

  [[noreturn]] void Fail(const std::string& what) const { throw ScriptError(where_ + what); }

 private:
  std::string_view rest_;
  const std::string& where_;
};

void ParseLine(std::string_view line, const std::string& where, Script& script) {
  LineReader reader(line, where);
  const std::string_view time = reader.Next();
  const std::string_view action = reader.Next();
  const std::string_view key = reader.Next();
  const std::string_view extra = reader.Next();

  if (!AllDigits(time)) reader.Fail("time " + Shown(time) + " is not a number of milliseconds");
  std::int64_t ms = 0;
  const auto [end, error] = std::from_chars(time.data(), time.data() + time.size(), ms);
  if (error != std::errc() || ms > kMaxTime) reader.Fail("time " + Shown(time) + " is out of range (0 to 2147483647)");
  if (action.empty()) reader.Fail("missing action after the time (down, up, tap or close)");

  const bool down = EqualsIgnoringCase(action, "down"), up = EqualsIgnoringCase(action, "up"),
             tap = EqualsIgnoringCase(action, "tap"), close = EqualsIgnoringCase(action, "close");
  if (!down && !up && !tap && !close) reader.Fail("unknown action " + Shown(action) + " (down, up, tap or close)");

  if (close) {
    if (!key.empty()) reader.Fail("close takes no key, found " + Shown(key));
    script.events.push_back({ms, ScriptedEvent::Kind::Close, 0});
    script.closes = true;
    return;
  }
  if (key.empty()) reader.Fail("missing key after " + std::string(action));
  if (!extra.empty()) reader.Fail("unexpected " + Shown(extra) + " after the key");
  const std::optional<std::int16_t> code = KeyCode(key);
  if (!code) reader.Fail("unknown key " + Shown(key));

  if (down || tap) script.events.push_back({ms, ScriptedEvent::Kind::KeyDown, *code});
  if (up || tap) script.events.push_back({ms, ScriptedEvent::Kind::KeyUp, *code});
}

}  // namespace

std::string KeyName(std::int16_t code) {
  if (const std::optional<std::string> name = vk::NameOf(code)) return *name;
  // Any other code as a number of at least two characters: 5 is "05".
  const std::string number = std::to_string(code);
  return number.size() < 2 ? "0" + number : number;
}

std::string ScriptLine(const ScriptedEvent& event) {
  char line[64];
  const long long time = event.time;
  switch (event.kind) {
    case ScriptedEvent::Kind::KeyDown:
      std::snprintf(line, sizeof line, "%-5lld down %s\n", time, KeyName(event.keyCode).c_str());
      break;
    case ScriptedEvent::Kind::KeyUp:
      std::snprintf(line, sizeof line, "%-5lld up   %s\n", time, KeyName(event.keyCode).c_str());
      break;
    case ScriptedEvent::Kind::Close: std::snprintf(line, sizeof line, "%-5lld close\n", time); break;
  }
  return line;
}

std::optional<std::string> ReadScriptFile(const std::string& path) {
  std::FILE* file = path == "-" ? stdin : platform::OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while (text.size() <= kMaxScriptBytes && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, n);
  }
  const bool failed = std::ferror(file) != 0;
  if (file != stdin) std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

Script ParseScript(std::string_view text, const std::string& name) {
  if (text.size() > kMaxScriptBytes) throw ScriptError(name + ": too large (over 64 MiB)");
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  Script script;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;

    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    ParseLine(line, name + ":" + std::to_string(lineNumber) + ": ", script);
  }
  return script;
}

}  // namespace replay
