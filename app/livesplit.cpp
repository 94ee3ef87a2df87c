#include "app/livesplit.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "app/run_options.h"
#include "platform/tcp.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A whole number of at most `digits` digits, and nothing else.
std::optional<int> Number(std::string_view text, std::size_t digits) {
  if (text.empty() || text.size() > digits || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Four numbers from 0 to 255 between dots, none written with a leading zero
// (which some systems read as octal).
bool IsIpv4(std::string_view text) {
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = text.find('.');
    if ((dot != std::string_view::npos) != (part < 3)) return false;  // three dots, no more
    const std::string_view number = text.substr(0, dot);
    const std::optional<int> value = Number(number, 3);
    if (!value || *value > 255 || (number.size() > 1 && number[0] == '0')) return false;
    if (dot != std::string_view::npos) text.remove_prefix(dot + 1);
  }
  return true;
}

// How many 16-bit groups `text` writes, groups of 1 to 4 hex digits between
// colons; an IPv4 address may end it, for two. nullopt if it is not that.
std::optional<int> Ipv6Groups(std::string_view text) {
  if (text.empty()) return 0;
  int groups = 0;
  for (;;) {
    const std::size_t colon = text.find(':');
    const std::string_view group = text.substr(0, colon);
    if (colon == std::string_view::npos && group.find('.') != std::string_view::npos) {
      return IsIpv4(group) ? std::optional<int>(groups + 2) : std::nullopt;
    }
    if (group.empty() || group.size() > 4 || !std::all_of(group.begin(), group.end(), IsHexDigit)) return std::nullopt;
    ++groups;
    if (colon == std::string_view::npos) return groups;
    text.remove_prefix(colon + 1);
  }
}

// Eight groups, or fewer with one "::" standing for the rest.
bool IsIpv6(std::string_view text) {
  const std::size_t gap = text.find("::");
  if (gap == std::string_view::npos) return Ipv6Groups(text) == 8;
  if (text.find("::", gap + 1) != std::string_view::npos) return false;
  const std::string_view head = text.substr(0, gap);
  if (head.find('.') != std::string_view::npos) return false;
  const std::optional<int> before = Ipv6Groups(head);
  const std::optional<int> after = Ipv6Groups(text.substr(gap + 2));
  return before && after && *before + *after <= 7;
}

// A host name: labels of letters, digits and hyphens between dots, none
// starting or ending with a hyphen, the last not all digits (that would be
// an IPv4 address).
bool IsHostName(std::string_view text) {
  if (text.empty() || text.size() > 253) return false;
  std::string_view label;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t dot = rest.find('.');
    label = rest.substr(0, dot);
    const bool fine =
        !label.empty() && label.size() <= 63 && label.front() != '-' && label.back() != '-' &&
        std::all_of(label.begin(), label.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '-'; });
    if (!fine) return false;
    if (dot == std::string_view::npos) break;
    rest.remove_prefix(dot + 1);
    if (rest.empty()) return false;  // a trailing dot
  }
  return !std::all_of(label.begin(), label.end(), IsDigit);
}

std::optional<int> Port(std::string_view text) {
  const std::optional<int> port = Number(text, 5);
  if (!port || *port < 1 || *port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<LiveSplitAddress> ParseLiveSplitAddress(std::string_view text) {
  LiveSplitAddress address;
  std::string_view port = text;
  if (text.starts_with('[')) {
    const std::size_t close = text.find("]:");
    if (close == std::string_view::npos || !IsIpv6(text.substr(1, close - 1))) return std::nullopt;
    address.host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    const std::string_view host = text.substr(0, colon);
    if (!IsIpv4(host) && !IsHostName(host)) return std::nullopt;
    address.host = host;
    port = text.substr(colon + 1);
  }
  const std::optional<int> number = Port(port);
  if (!number) return std::nullopt;
  address.port = *number;
  return address;
}

std::string ToString(const LiveSplitAddress& address) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  return (ipv6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

std::string LiveSplitGameTime(std::int64_t frame) {
  const long long centiseconds = std::max<std::int64_t>(frame, 0);  // a frame is a hundredth of a second
  char text[40];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", centiseconds / 360000, centiseconds / 6000 % 60,
                centiseconds / 100 % 60, centiseconds % 100);
  return text;
}

std::unique_ptr<LiveSplit> LiveSplit::Connect(const LiveSplitAddress& at, std::string& error) {
  std::string why;
  auto connection = platform::ConnectTcp(at.host, at.port, std::chrono::seconds(kConnectSeconds), why);
  if (connection == nullptr) {
    error = "plinkard: LiveSplit at " + ToString(at) + ": " + why;
    return nullptr;
  }
  return std::unique_ptr<LiveSplit>(new LiveSplit(ToString(at), std::move(connection)));
}

LiveSplit::LiveSplit(std::string where, std::unique_ptr<platform::TcpConnection> connection)
    : where_(std::move(where)), connection_(std::move(connection)) {}

LiveSplit::~LiveSplit() = default;

void LiveSplit::StartTimer() { Send("starttimer\r\n"); }

void LiveSplit::Split(std::int64_t frame) { Send("setgametime " + LiveSplitGameTime(frame) + "\r\nsplit\r\n"); }

void LiveSplit::SkipSplit() { Send("skipsplit\r\n"); }

void LiveSplit::Pause() { Send("pause\r\n"); }

void LiveSplit::Resume() { Send("resume\r\n"); }

void LiveSplit::Send(std::string_view lines) {
  if (connection_ == nullptr || connection_->Send(lines)) return;
  std::fprintf(stderr, "plinkard: LiveSplit at %s: %s; the game plays on without it\n", where_.c_str(),
               connection_->Lost().c_str());
  connection_.reset();
}

std::unique_ptr<LiveSplit> ConnectLiveSplit(const RunOptions& options) {
  if (!options.livesplit) return nullptr;
  std::string error;
  std::unique_ptr<LiveSplit> link = LiveSplit::Connect(*options.livesplit, error);
  if (link == nullptr) std::fprintf(stderr, "%s\n", error.c_str());
  return link;
}
