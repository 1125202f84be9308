#include "zip/deflate_match_finder.h"

#include <algorithm>
#include <bit>

namespace duebell::zip::deflate {

namespace {

std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

std::uint16_t load16(const std::uint8_t* p) {
    std::uint16_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Length of the common prefix of a and b, at most MaxMatch, when the first two bytes are
// known to agree; compares eight bytes at a time.
unsigned commonLength(const std::uint8_t* a, const std::uint8_t* b) {
    for (unsigned length = 2; length < MaxMatch; length += 8) {
        const std::uint64_t difference = load64(a + length) ^ load64(b + length);
        if (difference != 0) {
            if constexpr (std::endian::native == std::endian::little)
                length += static_cast<unsigned>(__builtin_ctzll(difference)) / 8;
            else
                length += static_cast<unsigned>(__builtin_clzll(difference)) / 8;
            return std::min(length, MaxMatch);
        }
    }
    return MaxMatch;
}

} // namespace

MatchFinder::MatchFinder()
    : window_(2 * WindowSize + Padding), head_(HashSize), prev_(WindowSize) {}

void MatchFinder::start(const InputRoutine* input) {
    input_ = input;
    std::fill(head_.begin(), head_.end(), 0);
    position_ = 0;
    lookahead_ = 0;
    matchStart_ = 0;
    inputEnded_ = false;
}

bool MatchFinder::readMore() {
    const unsigned end = position_ + lookahead_;
    const std::size_t read = (*input_)(window_.data() + end, 2 * WindowSize - end);
    if (read == 0) {
        inputEnded_ = true;
        return false;
    }
    lookahead_ += static_cast<unsigned>(read);
    return true;
}

void MatchFinder::slide() {
    const unsigned end = position_ + lookahead_;
    std::memmove(window_.data(), window_.data() + WindowSize, end - WindowSize);
    position_ -= WindowSize;
    matchStart_ -= WindowSize;
    // max(p, WindowSize) - WindowSize: positions that leave the window become 0 (none).
    // Written as a plain loop over a fixed count so that the compiler vectorizes it.
    auto down = [](std::uint16_t* table, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            table[i] =
                static_cast<std::uint16_t>(std::max<unsigned>(table[i], WindowSize) - WindowSize);
    };
    down(head_.data(), HashSize);
    down(prev_.data(), WindowSize);
}

unsigned MatchFinder::longestMatch(unsigned candidate, unsigned previousLength,
                                   const LevelSettings& settings) {
    const std::uint8_t* window = window_.data();
    const std::uint8_t* scan = window + position_;
    const unsigned limit = position_ > MaxDistance ? position_ - MaxDistance : 0;
    unsigned chain = settings.maxChain;
    if (previousLength >= settings.goodLength)
        chain >>= 2;
    const unsigned nice = std::min(settings.niceLength, lookahead_);
    unsigned best = previousLength;
    std::uint16_t scanStart = load16(scan);
    std::uint16_t scanEnd = load16(scan + best - 1);
    do {
        const std::uint8_t* match = window + candidate;
        // A longer match must agree on the two bytes ending at the current best length.
        if (load16(match + best - 1) != scanEnd || load16(match) != scanStart)
            continue;
        const unsigned length = commonLength(scan, match);
        if (length > best) {
            matchStart_ = candidate;
            best = length;
            if (length >= nice)
                break;
            scanEnd = load16(scan + best - 1);
        }
    } while ((candidate = prev_[candidate & WindowMask]) > limit && --chain != 0);
    return std::min(best, lookahead_);
}

} // namespace duebell::zip::deflate
