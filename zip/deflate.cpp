#include "zip/deflate.h"

#include <algorithm>

namespace duebell::zip {

using deflate::MatchFinder;
using deflate::MaxMatch;
using deflate::MinMatch;

namespace {

// A lazy match of the minimum length this far back costs more than its three literals.
constexpr unsigned TooFar = 4096;

// A block coding its input at least this many times smaller goes on past a slide of the
// window: storing it can no longer win, and ending it would only repeat the code tables (in a
// long run of one byte, a table every 32 KB of input costs as much as the run's own codes).
constexpr unsigned KeepGoingRatio = 8;

} // namespace

DeflateResult DeflateEncoder::Deflate(int level, const DeflateInput& input,
                                      const DeflateOutput& output) {
    settings_ = &deflate::levelSettings(level);
    std::uint64_t consumed = 0;
    const DeflateInput counted = [&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t read = input(buffer, capacity);
        consumed += read;
        return read;
    };
    finder_.start(&counted);
    bits_.start(&output);
    blocks_.start(&bits_);
    blockStart_ = 0;
    if (settings_->lazy)
        deflateLazy();
    else
        deflateFast();
    bits_.finish();
    return {bits_.bytesWritten(), consumed, blocks_.isText().value_or(true)};
}

// Tops the lookahead up. Before the window slides, a block whose input would leave the window
// is ended, so that it can still be written stored when that is cheapest, unless it codes its
// input so well that storing cannot win.
void DeflateEncoder::fillWindow(bool literalPending) {
    while (finder_.lookahead() < MatchFinder::MinLookahead && !finder_.inputEnded()) {
        if (finder_.needsSlide()) {
            const unsigned end = finder_.position() - (literalPending ? 1 : 0);
            if (blockMustEndAtSlide(end))
                flushBlock(end, false);
            finder_.slide();
            blockStart_ -= MatchFinder::WindowSize;
        }
        finder_.readMore();
    }
}

bool DeflateEncoder::blockMustEndAtSlide(unsigned end) const {
    if (blockStart_ >= MatchFinder::WindowSize)
        return false; // all of its input stays in the window
    const auto rawBits = 8 * static_cast<std::uint64_t>(end - blockStart_);
    return blocks_.fixedCodeBits() * KeepGoingRatio > rawBits;
}

void DeflateEncoder::flushBlock(unsigned end, bool last) {
    const std::uint8_t* raw = blockStart_ >= 0 ? finder_.window() + blockStart_ : nullptr;
    blocks_.flush(raw, static_cast<std::size_t>(end - blockStart_), last);
    blockStart_ = end;
}

// Levels 1 to 3: a match is taken as soon as it is found.
void DeflateEncoder::deflateFast() {
    const deflate::LevelSettings& settings = *settings_;
    for (;;) {
        fillWindow(false);
        const unsigned lookahead = finder_.lookahead();
        if (lookahead == 0)
            break;
        const unsigned position = finder_.position();
        unsigned length = 0;
        if (lookahead >= MinMatch) {
            const unsigned candidate = finder_.insert(position);
            if (candidate != 0 && position - candidate <= MatchFinder::MaxDistance)
                length = finder_.longestMatch(candidate, MinMatch - 1, settings);
        }
        bool full;
        if (length >= MinMatch) {
            full = blocks_.addMatch(position - finder_.matchStart(), length);
            // Short matches put their inner strings into the chains too; long ones would cost
            // more time than they gain.
            if (length <= settings.lazyLength && lookahead - length >= MinMatch)
                for (unsigned p = position + 1; p < position + length; ++p)
                    finder_.insert(p);
            finder_.advance(length);
        } else {
            full = blocks_.addLiteral(finder_.byteAt(position));
            finder_.advance(1);
        }
        if (full)
            flushBlock(finder_.position(), false);
    }
    flushBlock(finder_.position(), true);
}

// Levels 4 to 9: a match found at one position is held back until the next position has been
// searched, and is given up for a literal when the match there is longer.
void DeflateEncoder::deflateLazy() {
    const deflate::LevelSettings& settings = *settings_;
    unsigned matchLength = MinMatch - 1;
    bool literalPending = false; // the byte before the current position awaits its decision
    for (;;) {
        fillWindow(literalPending);
        const unsigned lookahead = finder_.lookahead();
        if (lookahead == 0)
            break;
        const unsigned position = finder_.position();
        const unsigned candidate = lookahead >= MinMatch ? finder_.insert(position) : 0;
        const unsigned previousLength = matchLength;
        const unsigned previousStart = finder_.matchStart();
        matchLength = MinMatch - 1;
        if (candidate != 0 && previousLength < settings.lazyLength &&
            position - candidate <= MatchFinder::MaxDistance) {
            matchLength = finder_.longestMatch(candidate, previousLength, settings);
            if (matchLength == MinMatch && position - finder_.matchStart() > TooFar)
                matchLength = MinMatch - 1;
        }

        if (previousLength >= MinMatch && matchLength <= previousLength) {
            // The match that began one byte back wins.
            const unsigned lastInsertable = position + lookahead - MinMatch;
            const bool full = blocks_.addMatch(position - 1 - previousStart, previousLength);
            const unsigned matchEnd = position - 1 + previousLength;
            for (unsigned p = position + 1; p < matchEnd && p <= lastInsertable; ++p)
                finder_.insert(p);
            finder_.advance(previousLength - 1);
            literalPending = false;
            matchLength = MinMatch - 1;
            if (full)
                flushBlock(finder_.position(), false);
        } else if (literalPending) {
            if (blocks_.addLiteral(finder_.byteAt(position - 1)))
                flushBlock(position, false);
            finder_.advance(1);
        } else {
            literalPending = true;
            finder_.advance(1);
        }
    }
    if (literalPending)
        blocks_.addLiteral(finder_.byteAt(finder_.position() - 1));
    flushBlock(finder_.position(), true);
}

std::vector<std::uint8_t> deflateBuffer(std::span<const std::uint8_t> data, int level) {
    std::vector<std::uint8_t> result;
    std::size_t offset = 0;
    const DeflateInput input = [&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t piece = std::min(capacity, data.size() - offset);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), piece, buffer);
        offset += piece;
        return piece;
    };
    const DeflateOutput output = [&](const std::uint8_t* bytes, std::size_t length) {
        result.insert(result.end(), bytes, bytes + length);
    };
    DeflateEncoder encoder;
    encoder.Deflate(level, input, output);
    return result;
}

} // namespace duebell::zip
