// The program as the system starts it: its arguments, in UTF-8 on every system
// (on Windows from the UTF-16 command line), and its text output where the
// player can read it. Standard input and output are binary, so a trace or a
// picture written to standard output is the same bytes everywhere.
//
// On Windows a windowed program writes to the file or pipe it was redirected
// to, or else to the console it was started from; started from Explorer, with
// neither, it keeps what it writes and shows it in a message box as it ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

class Program {
 public:
  // `name` titles the message box.
  Program(int argc, char** argv, const char* name);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  int Argc() const { return int(arguments_.size()); }
  char** Argv() { return pointers_.data(); }

 private:
  struct KeptOutput;  // what a program without a console wrote, to show as it ends

  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
  std::unique_ptr<KeptOutput> kept_;
};

}  // namespace platform
