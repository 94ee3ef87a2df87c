// SHA-256, as FIPS 180-4 defines it, over bytes fed a piece at a time: what a
// recording's check values are.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace replay {

class Sha256 {
 public:
  Sha256();
  void Update(std::string_view bytes);
  // The digest of everything fed so far, as 64 lower-case hex digits. The
  // hash can go on being fed afterwards.
  std::string Hex() const;

 private:
  void Block(const unsigned char* block);

  std::array<std::uint32_t, 8> state_;
  std::array<unsigned char, 64> pending_{};
  std::size_t pendingBytes_ = 0;
  std::uint64_t totalBytes_ = 0;
};

}  // namespace replay
