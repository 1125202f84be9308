// The Shannon-Fano trees of imploded entries: bit lengths stored as run-length bytes, codes
// assigned from the longest length down, read least significant bit first.
#pragma once

#include "zip/decoderio.h"

#include <cstdint>
#include <vector>

namespace duebell::zip {

class TShannonFanoTree {
public:
    // Reads the tree of symbolCount codes; false when it is malformed or its codes collide.
    bool Read(TBitReader& input, int symbolCount);
    // Builds the tree from bit lengths (1 to 16 each).
    bool Build(const std::vector<std::uint8_t>& lengths);
    // The next symbol; -1 for a bit pattern that is no code.
    int Decode(TBitReader& input) const;

    // The code of a symbol as it is sent (first bit lowest) and its length.
    std::uint32_t Code(int symbol) const { return codes_[static_cast<std::size_t>(symbol)]; }
    int Length(int symbol) const { return lengths_[static_cast<std::size_t>(symbol)]; }

private:
    std::vector<std::uint8_t> lengths_;
    std::vector<std::uint32_t> codes_;
    // For each length, its (code, symbol) pairs ordered by code.
    std::vector<std::vector<std::pair<std::uint32_t, int>>> byLength_;
};

} // namespace duebell::zip
