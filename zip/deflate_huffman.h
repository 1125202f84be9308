// Huffman codes for deflate blocks: optimal code lengths under a length limit, and the
// canonical codes the format derives from them.
#pragma once

#include <cstdint>
#include <span>

namespace duebell::zip::deflate {

// Fills `lengths` (same size as `frequencies`) with the lengths of an optimal prefix code
// whose longest code has at most `maxBits` bits (package-merge). Unused symbols get 0.
// When fewer than two symbols occur, an unused one is given a code too, so that the code
// is always complete and every inflater accepts it.
void buildCodeLengths(std::span<const std::uint32_t> frequencies, unsigned maxBits,
                      std::span<std::uint8_t> lengths);

// The canonical code of each symbol, bit-reversed so it can be written least significant
// bit first as deflate requires.
void buildCanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

} // namespace duebell::zip::deflate
