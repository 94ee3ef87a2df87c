// Running the programs as their users do, in a private directory of files:
// exit status, standard error and the files they leave.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files.h"

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("plinkard-cli-" + std::to_string(::getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name);
  }

  // Runs the built program with `args` (a shell command line's rest), after
  // `prefix` (such as "env -u DISPLAY"); its standard error lands in err().
  int RunProgram(const std::string& program, const std::string& args, const std::string& prefix = "") {
    const std::string command = prefix + " " + std::string(PLINKARD_BINARY_DIR) + "/" + program + " " + args + " 2>" +
                                Path("stderr") + " </dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string err() const { return ReadFile(Path("stderr")); }

 private:
  std::filesystem::path dir_;
};
