// Canonical Huffman codes are assigned most significant bit first but travel least
// significant bit first; the readers and the encoder turn them round with this.
#pragma once

#include <cstdint>

namespace duebell::zip {

// The low length bits of code in reverse order.
inline std::uint32_t ReverseBits(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) {
        reversed = (reversed << 1) | (code & 1);
        code >>= 1;
    }
    return reversed;
}

} // namespace duebell::zip
