#include "replay/output_file.h"

#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace replay {

bool OutputFile::Open(const std::string& path) {
  path_ = path;
  error_ = 0;
  file_ = path == "-" ? stdout : platform::OpenFile(path, "wb");
  if (file_ == nullptr) std::fprintf(stderr, "%s: %s: can't write: %s\n", program_, path.c_str(), std::strerror(errno));
  return file_ != nullptr;
}

// Whether every write so far reached the file; keeps the reason of the first
// that did not.
bool OutputFile::Check() {
  if (error_ == 0 && std::ferror(file_) != 0) error_ = errno != 0 ? errno : EIO;
  return error_ == 0;
}

bool OutputFile::Write(const std::string& bytes, bool flush) {
  if (file_ == nullptr || !Check()) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() || (flush && std::fflush(file_) != 0)) {
    Check();
    if (error_ == 0) error_ = EIO;
  }
  return Check();
}

bool OutputFile::Close() {
  if (file_ == nullptr) return true;
  if (Check()) {
    errno = 0;
    if (std::fflush(file_) != 0) Check();
  }
  errno = 0;
  if (file_ != stdout && std::fclose(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
  file_ = nullptr;
  if (error_ != 0) std::fprintf(stderr, "%s: %s: can't write: %s\n", program_, path_.c_str(), std::strerror(error_));
  return error_ == 0;
}

}  // namespace replay
