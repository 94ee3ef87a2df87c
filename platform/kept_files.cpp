#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/kept_texts.h"

namespace platform {

namespace {

// The file's text, read whole (nullopt when it can't be).
std::optional<std::string> ReadWhole(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char block[8192];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

}  // namespace

std::string KeptFiles::Where(const std::string& name) const {
  const std::u8string path = (PathOf(folder_) / PathOf(name)).u8string();
  return std::string(path.begin(), path.end());
}

std::optional<std::string> KeptFiles::Read(const std::string& name) { return ReadWhole(Where(name)); }

bool KeptFiles::Write(const std::string& name, const std::string& text, std::string& error) {
  const std::string path = Where(name), fresh = path + ".new";
  std::error_code code;
  std::filesystem::create_directories(PathOf(folder_), code);
  if (code) {
    error = folder_ + ": " + code.message();
    return false;
  }
  std::FILE* file = OpenFile(fresh, "wb");
  if (file == nullptr) {
    error = fresh + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int writeError = errno;
  if (std::fclose(file) != 0 || !written) {
    error = fresh + ": " + std::strerror(written ? errno : writeError);
    std::filesystem::remove(PathOf(fresh), code);
    return false;
  }
  std::filesystem::rename(PathOf(fresh), PathOf(path), code);
  if (code) {
    error = path + ": " + code.message();
    std::filesystem::remove(PathOf(fresh), code);
    return false;
  }
  return true;
}

bool KeptFiles::SetAside(const std::string& name, const std::string& aside) {
  std::error_code code;
  std::filesystem::rename(PathOf(Where(name)), PathOf(Where(aside)), code);
  return !code;
}

std::unique_ptr<KeptTexts> PlayersKeptTexts() {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == 0) return nullptr;
  const std::u8string folder = (std::filesystem::path(appData) / "Plinkard").u8string();
  return std::make_unique<KeptFiles>(std::string(folder.begin(), folder.end()));
#else
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::string folder;
  if (dataHome != nullptr && dataHome[0] == '/') {  // a relative one is to be ignored
    folder = dataHome;
  } else if (home != nullptr && home[0] != 0) {
    folder = std::string(home) + "/.local/share";
  } else {
    return nullptr;
  }
  return std::make_unique<KeptFiles>(folder + "/plinkard");
#endif
}

}  // namespace platform
