// The LZ77 side of deflate: a 64 KB sliding window over the input (twice the 32 KB match
// distance), hash chains over its 3-byte strings, and the search for the longest match.
#pragma once

#include "zip/deflate_levels.h"
#include "zip/deflate_tables.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace duebell::zip::deflate {

// Reads up to `capacity` input bytes into `buffer`; 0 means the input has ended.
using InputRoutine = std::function<std::size_t(std::uint8_t* buffer, std::size_t capacity)>;

class MatchFinder {
public:
    static constexpr unsigned WindowSize = 32768;
    static constexpr unsigned WindowMask = WindowSize - 1;
    static constexpr unsigned HashBits = 15;
    static constexpr unsigned HashSize = 1u << HashBits;
    // Searching needs this much input ahead of the current position, unless the input ends.
    static constexpr unsigned MinLookahead = MaxMatch + MinMatch + 1;
    // Matches farther back may reach into the half of the window that the next slide drops.
    static constexpr unsigned MaxDistance = WindowSize - MinLookahead;

    MatchFinder();

    void start(const InputRoutine* input);

    // Reads once into the free part of the window; false once the input has ended.
    bool readMore();
    bool inputEnded() const { return inputEnded_; }
    // The window is full and its lower half must go before more input fits.
    bool needsSlide() const { return position_ >= WindowSize + MaxDistance; }
    // Drops the lower half; every position in the window moves down by WindowSize.
    void slide();

    unsigned position() const { return position_; }
    unsigned lookahead() const { return lookahead_; }
    void advance(unsigned count) {
        position_ += count;
        lookahead_ -= count;
    }
    const std::uint8_t* window() const { return window_.data(); }
    std::uint8_t byteAt(unsigned position) const { return window_[position]; }

    // Enters the string at `position` (which needs 3 bytes of input) into its hash chain and
    // returns the previous head of that chain: the most recent earlier string with its hash,
    // or 0 for none.
    unsigned insert(unsigned position) {
        const std::uint8_t* p = window_.data() + position;
        // Three bytes shifted by 5 each fill exactly the 15 hash bits.
        const unsigned hash = ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & (HashSize - 1);
        const unsigned previous = head_[hash];
        prev_[position & WindowMask] = static_cast<std::uint16_t>(previous);
        head_[hash] = static_cast<std::uint16_t>(position);
        return previous;
    }

    // Follows the chain from `candidate` for a match at the current position longer than
    // `previousLength`. Returns the best length found (at least previousLength, at most the
    // lookahead); matchStart() tells where a longer match begins.
    unsigned longestMatch(unsigned candidate, unsigned previousLength,
                          const LevelSettings& settings);
    unsigned matchStart() const { return matchStart_; }

private:
    static constexpr unsigned Padding = MaxMatch + 8; // lets comparisons read whole words

    const InputRoutine* input_ = nullptr;
    std::vector<std::uint8_t> window_;
    std::vector<std::uint16_t> head_; // newest position of each hash, 0 for none
    std::vector<std::uint16_t> prev_; // per position: the previous one with the same hash
    unsigned position_ = 0;
    unsigned lookahead_ = 0;
    unsigned matchStart_ = 0;
    bool inputEnded_ = false;
};

} // namespace duebell::zip::deflate
