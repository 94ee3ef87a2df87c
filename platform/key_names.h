// The keys by name, as replay scripts and the web page's buttons write them:
// "Left", "Ctrl", "Space"..., a letter or a digit. Case does not matter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/keys.h"

namespace vk {

std::optional<Code> CodeNamed(std::string_view name);
// The name of a key that has one, as scripts write it: "Left", "P", "7".
std::optional<std::string> NameOf(Code code);

}  // namespace vk
