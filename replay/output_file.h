// A file a run writes as it goes (a trace, a recording, the last frame's
// picture), or standard output for "-". Created before the run starts; a
// failure to create it or to write it is said in one line on standard
// error, once: "PROGRAM: FILE: can't write: why".
#pragma once

#include <cstdio>
#include <string>

namespace replay {

class OutputFile {
 public:
  explicit OutputFile(const char* program) : program_(program) {}
  ~OutputFile() { Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False, with the line said, when the file can't be created.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  bool IsStandardOutput() const { return file_ == stdout; }
  // Writes the bytes, and with `flush` sends them on to the file at once.
  // False once anything written to it has failed to reach it (nothing is
  // said until Close): a run then ends, keeping what its other files hold.
  bool Write(const std::string& bytes, bool flush = false);
  bool Flush() { return Write({}, true); }
  // Flushes and closes it (standard output is only flushed). False, with the
  // line said, when something written was lost.
  bool Close();

 private:
  bool Check();

  const char* program_;
  std::string path_;
  std::FILE* file_ = nullptr;
  int error_ = 0;  // errno of the first write that failed
};

}  // namespace replay
