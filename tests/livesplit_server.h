// The tests' stand-in for LiveSplit's server (livesplit_server.cpp), started
// for one client: its port, and once the client has gone, what it received.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class LiveSplitTestServer {
 public:
  // OPTIONS as the server's command line takes them ("--close-after 1").
  explicit LiveSplitTestServer(const std::string& options = "") {
    const std::string command = std::string(PLINKARD_BINARY_DIR) + "/livesplit-test-server " + options;
    output_ = ::popen(command.c_str(), "r");
    char line[16] = "";
    if (output_ == nullptr || std::fgets(line, sizeof line, output_) == nullptr) {
      ADD_FAILURE() << "livesplit-test-server did not start";
      return;
    }
    port_ = std::atoi(line);
  }
  ~LiveSplitTestServer() {
    if (output_ != nullptr) ::pclose(output_);
  }
  LiveSplitTestServer(const LiveSplitTestServer&) = delete;
  LiveSplitTestServer& operator=(const LiveSplitTestServer&) = delete;

  int Port() const { return port_; }

  // Every byte it received, once it has ended (the client gone, or the
  // connection closed by the server itself); fails the test unless it ended well.
  std::string Received() {
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, output_)) > 0;) bytes.append(buffer, got);
    const int status = ::pclose(output_);
    output_ = nullptr;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "livesplit-test-server ended with " << status;
    return bytes;
  }

 private:
  std::FILE* output_ = nullptr;
  int port_ = 0;
};
