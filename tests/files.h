// Files the tests read whole, and the scripts in routes/ by name.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

inline std::string RoutePath(const std::string& name) { return std::string(PLINKARD_SOURCE_DIR) + "/routes/" + name; }
