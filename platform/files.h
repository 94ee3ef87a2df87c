// Files named by UTF-8 paths, on every system. On Windows the name is turned
// into the UTF-16 name the system knows files by, so a recording in a folder
// named in any language opens as it does on Linux.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace platform {

std::filesystem::path PathOf(const std::string& utf8);

// As std::fopen; null (with errno set) when the file can't be opened.
std::FILE* OpenFile(const std::string& utf8, const char* mode);

}  // namespace platform
