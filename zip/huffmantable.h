// Lookup tables for canonical Huffman codes read least significant bit first: a root table
// indexed by the next rootBits bits, whose entries either decode a symbol or point to a
// subtable for the longer codes sharing that prefix.
#pragma once

#include <cstdint>
#include <vector>

namespace duebell::zip {

// One table entry: what the code means, and how many bits it takes.
struct THuffmanEntry {
    std::uint16_t value; // literal byte, base of a length or distance, or subtable offset
    std::uint8_t op;     // one of the kinds below (with the extra-bit count or subtable bits)
    std::uint8_t bits;   // code length (root bits for a subtable pointer)
};

namespace huffman_op {
inline constexpr std::uint8_t Literal = 0;
inline constexpr std::uint8_t Base = 16; // + number of extra bits
inline constexpr std::uint8_t EndOfBlock = 32;
inline constexpr std::uint8_t Subtable = 64; // + number of index bits
inline constexpr std::uint8_t Invalid = 96;
} // namespace huffman_op

class THuffmanTable {
public:
    // What each symbol decodes to (its value and op, the length being filled in).
    using SymbolMeaning = THuffmanEntry (*)(int symbol);

    // Builds the table from the code lengths (0 = unused). False for an over-subscribed
    // code, and for an incomplete one unless it is a single one-bit code or has no codes at
    // all (allowEmpty).
    bool Build(const std::uint8_t* lengths, int count, int rootBits, SymbolMeaning meaning,
               bool allowEmpty);

    int RootBits() const { return rootBits_; }
    const THuffmanEntry* Entries() const { return entries_.data(); }

private:
    std::vector<THuffmanEntry> entries_;
    int rootBits_ = 0;
};

} // namespace duebell::zip
