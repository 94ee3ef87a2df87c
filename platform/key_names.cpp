#include "platform/key_names.h"

#include <array>
#include <cctype>

namespace vk {
namespace {

struct NamedKey {
  std::string_view name;
  Code code;
};
constexpr std::array<NamedKey, 12> kKeyNames{{
    {"Left", Left},
    {"Right", Right},
    {"Up", Up},
    {"Down", Down},
    {"Space", Space},
    {"Ctrl", Ctrl},
    {"Shift", Shift},
    {"Alt", Alt},
    {"Enter", Enter},
    {"Escape", Escape},
    {"Tab", Tab},
    {"Backspace", Backspace},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::optional<Code> CodeNamed(std::string_view name) {
  for (const NamedKey& k : kKeyNames) {
    if (EqualsIgnoringCase(name, k.name)) return k.code;
  }
  if (name.size() == 1) {
    const auto c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) return Letter(char(std::toupper(c)));
    if (std::isdigit(c)) return Digit(c - '0');
  }
  return std::nullopt;
}

std::optional<std::string> NameOf(Code code) {
  for (const NamedKey& k : kKeyNames) {
    if (k.code == code) return std::string(k.name);
  }
  if (code >= Letter('A') && code <= Letter('Z')) return std::string(1, char(code));
  if (code >= Digit(0) && code <= Digit(9)) return std::string(1, char(code));
  return std::nullopt;
}

}  // namespace vk
