#include "platform/files.h"

#include <cerrno>
#include <cstring>

namespace platform {

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::FILE* OpenFile(const std::string& utf8, const char* mode) {
#ifdef _WIN32
  std::filesystem::path path;
  try {
    path = PathOf(utf8);
  } catch (const std::exception&) {  // not UTF-8: no file has that name
    errno = ENOENT;
    return nullptr;
  }
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(utf8.c_str(), mode);
#endif
}

}  // namespace platform
