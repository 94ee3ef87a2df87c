#include "replay/deflate.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <queue>
#include <vector>

namespace replay {
namespace {

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3, kMaxMatch = 258;
constexpr int kLongestChain = 256;  // how many earlier places a match is looked for at
constexpr int kHashBits = 15;

constexpr int kEndOfBlock = 256;
constexpr int kLengthSymbols = 286, kDistanceSymbols = 30, kCodeLengthSymbols = 19;

// Lengths 3 to 258 as symbols 257 to 285: each symbol's first length and extra bits.
constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// Distances 1 to 32768 as symbols 0 to 29.
constexpr std::array<int, 30> kDistanceBase{1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                            33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which the code lengths of the code-length alphabet are written.
constexpr std::array<int, 19> kCodeLengthOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A literal byte (distance 0) or a repeat of `length` bytes from `distance` back.
struct Token {
  int length;
  int distance;
};

int SymbolOf(const std::array<int, 29>& base, int value) {
  return int(std::upper_bound(base.begin(), base.end(), value) - base.begin()) - 1;
}
int DistanceSymbol(int distance) {
  return int(std::upper_bound(kDistanceBase.begin(), kDistanceBase.end(), distance) - kDistanceBase.begin()) - 1;
}

std::vector<Token> FindRepeats(std::string_view data) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
  const auto hash = [&](std::size_t i) {
    return ((unsigned(byte(i)) << 10) ^ (unsigned(byte(i + 1)) << 5) ^ byte(i + 2)) & ((1u << kHashBits) - 1);
  };
  std::vector<int> head(std::size_t(1) << kHashBits, -1), previous(data.size(), -1);
  const auto insert = [&](std::size_t i) {
    if (i + kMinMatch > data.size()) return;
    const unsigned h = hash(i);
    previous[i] = head[h];
    head[h] = int(i);
  };
  // The longest repeat of what starts at i, among the places the chain knows.
  const auto longest = [&](std::size_t i) {
    Token best{0, 0};
    if (i + kMinMatch > data.size()) return best;
    const int most = int(std::min<std::size_t>(kMaxMatch, data.size() - i));
    int at = head[hash(i)];
    for (int chain = 0; at >= 0 && int(i) - at <= kWindow && chain < kLongestChain;
         ++chain, at = previous[std::size_t(at)]) {
      int n = 0;
      while (n < most && data[std::size_t(at + n)] == data[i + std::size_t(n)]) ++n;
      if (n > best.length) best = {n, int(i) - at};
      if (n == most) break;
    }
    return best.length >= kMinMatch ? best : Token{0, 0};
  };

  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < data.size()) {
    const Token here = longest(i);
    // One step of lazy matching: a longer repeat starting at the next byte wins.
    if (here.length > 0 && i + 1 < data.size()) {
      insert(i);
      const Token next = longest(i + 1);
      if (next.length > here.length) {
        tokens.push_back({1, 0});
        ++i;
        continue;
      }
      tokens.push_back(here);
      for (std::size_t k = 1; k < std::size_t(here.length); ++k) insert(i + k);
      i += std::size_t(here.length);
      continue;
    }
    insert(i);
    tokens.push_back(here.length > 0 ? here : Token{1, 0});
    i += std::size_t(here.length > 0 ? here.length : 1);
  }
  return tokens;
}

// Huffman code lengths for the frequencies, none longer than `limit`. Where
// the best code is too deep, the rarest symbols are made less rare until it fits.
std::vector<int> CodeLengths(std::vector<std::uint64_t> frequency, int limit) {
  const std::size_t n = frequency.size();
  // Every code has two symbols at least: a decoder wants a complete code.
  int used = int(std::count_if(frequency.begin(), frequency.end(), [](std::uint64_t f) { return f > 0; }));
  for (std::size_t s = 0; used < 2 && s < n; ++s) {
    if (frequency[s] == 0) {
      frequency[s] = 1;
      ++used;
    }
  }
  for (;;) {
    struct Node {
      std::uint64_t weight;
      int index;
    };
    const auto heavier = [](const Node& a, const Node& b) {
      return a.weight != b.weight ? a.weight > b.weight : a.index > b.index;
    };
    std::priority_queue<Node, std::vector<Node>, decltype(heavier)> queue(heavier);
    std::vector<int> parent(2 * n, -1);
    for (std::size_t s = 0; s < n; ++s) {
      if (frequency[s] > 0) queue.push({frequency[s], int(s)});
    }
    int next = int(n);
    while (queue.size() > 1) {
      const Node a = queue.top();
      queue.pop();
      const Node b = queue.top();
      queue.pop();
      parent[std::size_t(a.index)] = parent[std::size_t(b.index)] = next;
      queue.push({a.weight + b.weight, next++});
    }
    std::vector<int> lengths(n, 0);
    int deepest = 0;
    for (std::size_t s = 0; s < n; ++s) {
      if (frequency[s] == 0) continue;
      for (int at = parent[s]; at >= 0; at = parent[std::size_t(at)]) ++lengths[s];
      deepest = std::max(deepest, lengths[s]);
    }
    if (deepest <= limit) return lengths;
    for (std::uint64_t& f : frequency) {
      if (f > 0) f = (f + 1) / 2;
    }
  }
}

// Canonical codes from their lengths, bit-reversed for writing first bit first.
std::vector<std::uint32_t> Codes(const std::vector<int>& lengths) {
  std::array<int, 16> count{};
  for (const int l : lengths) ++count[std::size_t(l)];
  count[0] = 0;
  std::array<std::uint32_t, 16> next{};
  std::uint32_t code = 0;
  for (std::size_t bits = 1; bits < 16; ++bits) {
    code = (code + std::uint32_t(count[bits - 1])) << 1;
    next[bits] = code;
  }
  std::vector<std::uint32_t> codes(lengths.size(), 0);
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const int length = lengths[s];
    if (length == 0) continue;
    std::uint32_t c = next[std::size_t(length)]++, reversed = 0;
    for (int b = 0; b < length; ++b, c >>= 1) reversed = (reversed << 1) | (c & 1);
    codes[s] = reversed;
  }
  return codes;
}

class BitWriter {
 public:
  void Put(std::uint32_t bits, int count) {
    pending_ |= std::uint64_t(bits) << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_ += char(pending_ & 0xff);
      pending_ >>= 8;
      filled_ -= 8;
    }
  }
  std::string Finish() {
    if (filled_ > 0) out_ += char(pending_ & 0xff);
    return out_;
  }

 private:
  std::string out_;
  std::uint64_t pending_ = 0;
  int filled_ = 0;
};

// The two codes' lengths as code-length symbols: 16 repeats the last length
// 3 to 6 times, 17 and 18 write runs of zeros (3 to 10, 11 to 138).
struct Run {
  int symbol;
  int extra;
};
std::vector<Run> RunsOf(const std::vector<int>& lengths) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < lengths.size();) {
    const int length = lengths[i];
    std::size_t same = 1;
    while (i + same < lengths.size() && lengths[i + same] == length) ++same;
    if (length == 0 && same >= 3) {
      const int n = int(std::min<std::size_t>(same, 138));
      runs.push_back(n <= 10 ? Run{17, n - 3} : Run{18, n - 11});
      i += std::size_t(n);
    } else if (length != 0 && same >= 4) {
      runs.push_back({length, 0});
      const int n = int(std::min<std::size_t>(same - 1, 6));
      runs.push_back({16, n - 3});
      i += std::size_t(n) + 1;
    } else {
      runs.push_back({length, 0});
      ++i;
    }
  }
  return runs;
}

}  // namespace

std::string Deflate(std::string_view data) {
  const std::vector<Token> tokens = FindRepeats(data);

  std::vector<std::uint64_t> lengthFrequency(kLengthSymbols, 0), distanceFrequency(kDistanceSymbols, 0);
  std::size_t at = 0;
  for (const Token& t : tokens) {
    if (t.distance == 0) {
      ++lengthFrequency[static_cast<unsigned char>(data[at])];
    } else {
      ++lengthFrequency[std::size_t(257 + SymbolOf(kLengthBase, t.length))];
      ++distanceFrequency[std::size_t(DistanceSymbol(t.distance))];
    }
    at += std::size_t(t.length);
  }
  ++lengthFrequency[kEndOfBlock];

  std::vector<int> lengthLengths = CodeLengths(lengthFrequency, 15);
  std::vector<int> distanceLengths = CodeLengths(distanceFrequency, 15);
  int hlit = kLengthSymbols, hdist = kDistanceSymbols;
  while (hlit > 257 && lengthLengths[std::size_t(hlit - 1)] == 0) --hlit;
  while (hdist > 1 && distanceLengths[std::size_t(hdist - 1)] == 0) --hdist;

  std::vector<int> both(lengthLengths.begin(), lengthLengths.begin() + hlit);
  both.insert(both.end(), distanceLengths.begin(), distanceLengths.begin() + hdist);
  const std::vector<Run> runs = RunsOf(both);
  std::vector<std::uint64_t> runFrequency(kCodeLengthSymbols, 0);
  for (const Run& r : runs) ++runFrequency[std::size_t(r.symbol)];
  const std::vector<int> runLengths = CodeLengths(runFrequency, 7);
  int hclen = kCodeLengthSymbols;
  while (hclen > 4 && runLengths[std::size_t(kCodeLengthOrder[std::size_t(hclen - 1)])] == 0) --hclen;

  const std::vector<std::uint32_t> lengthCodes = Codes(lengthLengths), distanceCodes = Codes(distanceLengths),
                                   runCodes = Codes(runLengths);
  BitWriter out;
  out.Put(1, 1);  // the last block
  out.Put(2, 2);  // with codes of its own
  out.Put(std::uint32_t(hlit - 257), 5);
  out.Put(std::uint32_t(hdist - 1), 5);
  out.Put(std::uint32_t(hclen - 4), 4);
  for (int i = 0; i < hclen; ++i) out.Put(std::uint32_t(runLengths[std::size_t(kCodeLengthOrder[std::size_t(i)])]), 3);
  for (const Run& r : runs) {
    out.Put(runCodes[std::size_t(r.symbol)], runLengths[std::size_t(r.symbol)]);
    if (r.symbol == 16) out.Put(std::uint32_t(r.extra), 2);
    if (r.symbol == 17) out.Put(std::uint32_t(r.extra), 3);
    if (r.symbol == 18) out.Put(std::uint32_t(r.extra), 7);
  }

  at = 0;
  for (const Token& t : tokens) {
    if (t.distance == 0) {
      const auto literal = static_cast<unsigned char>(data[at]);
      out.Put(lengthCodes[literal], lengthLengths[literal]);
    } else {
      const int ls = SymbolOf(kLengthBase, t.length);
      out.Put(lengthCodes[std::size_t(257 + ls)], lengthLengths[std::size_t(257 + ls)]);
      out.Put(std::uint32_t(t.length - kLengthBase[std::size_t(ls)]), kLengthExtra[std::size_t(ls)]);
      const int ds = DistanceSymbol(t.distance);
      out.Put(distanceCodes[std::size_t(ds)], distanceLengths[std::size_t(ds)]);
      out.Put(std::uint32_t(t.distance - kDistanceBase[std::size_t(ds)]), kDistanceExtra[std::size_t(ds)]);
    }
    at += std::size_t(t.length);
  }
  out.Put(lengthCodes[kEndOfBlock], lengthLengths[kEndOfBlock]);
  return out.Finish();
}

}  // namespace replay
