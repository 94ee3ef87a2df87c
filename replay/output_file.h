// A file a run writes as it goes (a trace, a recording), or standard output
// for "-". Created before the run starts; every failure is said in one line on
// standard error: "PROGRAM: FILE: can't write[: why]".
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
  // Null until opened.
  std::FILE* get() const { return file_; }
  bool IsStandardOutput() const { return file_ == stdout; }
  // Flushes and closes it (standard output is only flushed). False, with the
  // line said, when something written was lost.
  bool Close();

 private:
  const char* program_;
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace replay
