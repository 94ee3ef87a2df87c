#include "replay/output_file.h"

#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace replay {

bool OutputFile::Open(const std::string& path) {
  path_ = path;
  file_ = path == "-" ? stdout : platform::OpenFile(path, "wb");
  if (file_ == nullptr) std::fprintf(stderr, "%s: %s: can't write: %s\n", program_, path.c_str(), std::strerror(errno));
  return file_ != nullptr;
}

bool OutputFile::Close() {
  if (file_ == nullptr) return true;
  const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
  const bool closed = file_ == stdout || std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) std::fprintf(stderr, "%s: %s: can't write\n", program_, path_.c_str());
  return flushed && closed;
}

}  // namespace replay
