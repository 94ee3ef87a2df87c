// Raw DEFLATE (RFC 1951) compression, which every browser's
// DecompressionStream('deflate-raw') reads back: what a run's link holds.
#pragma once

#include <string>
#include <string_view>

namespace replay {

// The bytes compressed: one block, with Huffman codes made for them and
// repeats found over a window of 32 KiB.
std::string Deflate(std::string_view data);

}  // namespace replay
