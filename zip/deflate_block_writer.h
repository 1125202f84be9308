// Collects the literals and matches of one deflate block and writes the block in the
// cheapest of the three forms: stored, fixed Huffman codes or dynamic Huffman codes.
#pragma once

#include "zip/deflate_bit_writer.h"
#include "zip/deflate_tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace duebell::zip::deflate {

class BlockWriter {
public:
    // A block holds at most this many literals and matches.
    static constexpr std::size_t Capacity = 32768;

    BlockWriter();

    void start(BitWriter* output);

    // Both return true when the block is full and must be flushed.
    bool addLiteral(std::uint8_t byte) {
        literals_[count_] = byte;
        distances_[count_] = 0;
        ++literalLengthFrequencies_[byte];
        return ++count_ == Capacity;
    }
    bool addMatch(unsigned distance, unsigned length) {
        literals_[count_] = static_cast<std::uint8_t>(length - MinMatch);
        distances_[count_] = static_cast<std::uint16_t>(distance);
        ++literalLengthFrequencies_[EndOfBlock + 1 + LengthCode[length - MinMatch]];
        ++distanceFrequencies_[distanceCode(distance)];
        return ++count_ == Capacity;
    }

    // Writes the collected symbols as one block; `raw` holds the `rawLength` input bytes they
    // stand for, which a stored block copies (null when they are gone: the block is then
    // coded whatever storing would cost).
    void flush(const std::uint8_t* raw, std::size_t rawLength, bool last);

    // What the symbols collected so far cost in fixed codes, bits: a bound on what coding them
    // costs.
    std::uint64_t fixedCodeBits() const;

    // Decided by the literals of the first block written: whether the input looks like text.
    std::optional<bool> isText() const { return isText_; }

private:
    struct DynamicCode;

    void clearCounts();
    void decideText();
    std::uint64_t storedBits(std::size_t rawLength) const;
    std::uint64_t extraBits() const;
    void planDynamicCode(DynamicCode& code) const;
    void writeStored(const std::uint8_t* raw, std::size_t rawLength, bool last);
    void writeDynamicHeader(const DynamicCode& code);
    void writeSymbols(const std::uint8_t* literalLengthLengths,
                      const std::uint16_t* literalLengthCodes, const std::uint8_t* distanceLengths,
                      const std::uint16_t* distanceCodes);

    BitWriter* output_ = nullptr;
    std::vector<std::uint8_t> literals_;   // literal byte, or match length - 3
    std::vector<std::uint16_t> distances_; // 0 for a literal
    std::size_t count_ = 0;
    std::array<std::uint32_t, LiteralLengthSymbols> literalLengthFrequencies_{};
    std::array<std::uint32_t, DistanceSymbols> distanceFrequencies_{};
    std::optional<bool> isText_;
};

} // namespace duebell::zip::deflate
