// Reading the environment variables the desktop window heeds.
#pragma once

#include <cstdlib>

namespace platform {

// Whether the variable holds something: set but empty, it counts as unset.
inline bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace platform
