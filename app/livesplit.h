// The link to LiveSplit, the split timer most runners use: its Server
// component listens on a TCP port (16834 unless set otherwise) and takes one
// command a line, each ending in CR LF. The game tells it when the run
// starts, each split with the game's own time (frames / 100 s), and the
// pauses. A link that fails or drops never holds the game up: it says so on
// standard error once, and the game plays on without it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/split_timer.h"

namespace platform {
class TcpConnection;
}
struct RunOptions;

// Where --livesplit points: [HOST:]PORT, the host 127.0.0.1 and the port 16834 unless given.
struct LiveSplitAddress {
  std::string host = "127.0.0.1";
  int port = 16834;

  bool operator==(const LiveSplitAddress&) const = default;
};

// Reads "[HOST:]PORT" (HOST a name, an IPv4 address or [an IPv6 one]); nullopt for anything else.
std::optional<LiveSplitAddress> ParseLiveSplitAddress(std::string_view text);

// "HOST:PORT", with an IPv6 address in brackets, as messages name it.
std::string ToString(const LiveSplitAddress& address);

// The game time of a frame, frames / 100 s, as LiveSplit reads it: H:MM:SS.ff
// ("0:00:17.40" for frame 1740, "1:00:00.00" for frame 360000).
std::string LiveSplitGameTime(std::int64_t frame);

// The link to LiveSplit's Server component: one command a line, each ending in CR LF.
class LiveSplit final : public SplitTimer {
 public:
  // How long Connect may wait for the server, before the game starts.
  static constexpr int kConnectSeconds = 2;

  // Connects; on failure answers null, with `error` the one line to say ("plinkard: LiveSplit at HOST:PORT: why").
  static std::unique_ptr<LiveSplit> Connect(const LiveSplitAddress& at, std::string& error);
  ~LiveSplit() override;
  LiveSplit(const LiveSplit&) = delete;
  LiveSplit& operator=(const LiveSplit&) = delete;

  void StartTimer() override;               // "starttimer"
  void Split(std::int64_t frame) override;  // "setgametime H:MM:SS.ff" (the game time, frame / 100 s), then "split"
  void SkipSplit() override;                // "skipsplit": a point passed without being reached
  void Pause() override;                    // "pause"
  void Resume() override;                   // "resume"

 private:
  LiveSplit(std::string where, std::unique_ptr<platform::TcpConnection> connection);
  // Sends the lines; the first time the connection is found gone, says so
  // on standard error and sends nothing more.
  void Send(std::string_view lines);

  std::string where_;
  std::unique_ptr<platform::TcpConnection> connection_;
};

// The link that --livesplit asks for, connected as the game starts: null
// without --livesplit, and null when it can't connect, after saying so in
// one line on standard error (the game plays on without it).
std::unique_ptr<LiveSplit> ConnectLiveSplit(const RunOptions& options);
