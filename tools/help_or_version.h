// --help and --version for the build tools, which otherwise take only
// positional arguments.
#pragma once

#include <cstdio>
#include <cstring>

#include "generated/version.h"

// When the one argument is --help or --version, prints the usage or the
// version on standard output and returns true: the tool then exits with 0.
inline bool AnsweredHelpOrVersion(int argc, char** argv, const char* name, const char* usage) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", name, PLINKARD_VERSION);
    return true;
  }
  return false;
}
