// What the TCP connections of every system share (platform/tcp.h): a look-up
// that is given up at a deadline, and the words for what went wrong, the same
// on every system.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace platform::tcp {

using Clock = std::chrono::steady_clock;

constexpr const char* kRefused = "connection refused";
constexpr const char* kNoSuchHost = "no such host";
constexpr const char* kClosed = "closed by the server";
constexpr const char* kReset = "reset by the server";
constexpr const char* kNetworkUnreachable = "network unreachable";
constexpr const char* kHostUnreachable = "host unreachable";
constexpr const char* kTimedOut = "timed out";
constexpr const char* kNoAddress = "the host has no address to connect to";
constexpr const char* kNotReading = "the server takes nothing more (it has stopped reading)";

inline std::string NoAnswerWithin(std::chrono::milliseconds within) {
  const auto ms = within.count();
  return "no answer within " + (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms");
}

// What `work` answers, if it answers by `deadline`; nullopt if not. It runs on
// a thread of its own, which a late answer is left to: it finishes alone and
// drops the answer (its destructor frees it). A system that can't start a
// thread waits for the answer here.
template <class Answer>
std::optional<Answer> AnswerBy(Clock::time_point deadline, std::function<Answer()> work) {
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Answer> answer;
  };
  const auto shared = std::make_shared<Shared>();
  try {
    std::thread([shared, work] {
      Answer answer = work();
      const std::lock_guard lock(shared->mutex);
      shared->answer.emplace(std::move(answer));
      shared->done.notify_one();
    }).detach();
  } catch (const std::system_error&) {
    return work();
  }
  std::unique_lock lock(shared->mutex);
  if (!shared->done.wait_until(lock, deadline, [&] { return shared->answer.has_value(); })) return std::nullopt;
  return std::move(shared->answer);
}

// A host's addresses, as the system's getaddrinfo gives them (AddressInfo is
// its addrinfo), or its error code.
template <class AddressInfo>
struct Addresses {
  std::shared_ptr<AddressInfo> list;  // null unless found
  int error = 0;
};

// Looks `host` up for `port` with the system's getaddrinfo and freeaddrinfo
// (`get` and `free`) as `hints` ask, answering by `deadline` or not at all.
template <class AddressInfo, class Get, class Free>
std::optional<Addresses<AddressInfo>> LookUp(const std::string& host, int port, const AddressInfo& hints,
                                             Clock::time_point deadline, Get get, Free free) {
  const std::string service = std::to_string(port);
  return AnswerBy<Addresses<AddressInfo>>(deadline, [host, service, hints, get, free] {
    Addresses<AddressInfo> found;
    AddressInfo* list = nullptr;
    found.error = get(host.c_str(), service.c_str(), &hints, &list);
    if (found.error == 0) found.list.reset(list, free);
    return found;
  });
}

}  // namespace platform::tcp
