// Our deflate encoder (RFC 1951): LZ77 over a 32 KB window with hash chains, then each block
// in the cheapest of stored, fixed-code and dynamic-code form. One encoder keeps its buffers
// for every stream it compresses.
#pragma once

#include "zip/deflate_bit_writer.h"
#include "zip/deflate_block_writer.h"
#include "zip/deflate_levels.h"
#include "zip/deflate_match_finder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace duebell::zip {

using DeflateInput = deflate::InputRoutine;
using DeflateOutput = deflate::OutputRoutine;

struct DeflateResult {
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    bool isText = true; // judged by the literals of the first block
};

class DeflateEncoder {
public:
    DeflateEncoder() = default;
    DeflateEncoder(const DeflateEncoder&) = delete;
    DeflateEncoder& operator=(const DeflateEncoder&) = delete;

    // Compresses everything `input` delivers at `level` (1 to 9) into one raw deflate stream
    // handed to `output` in pieces of at most 1024 bytes.
    DeflateResult Deflate(int level, const DeflateInput& input, const DeflateOutput& output);

private:
    void fillWindow(bool literalPending);
    void flushBlock(unsigned end, bool last);
    // Whether the block must end before its first input bytes leave the window.
    bool blockMustEndAtSlide(unsigned end) const;
    void deflateFast();
    void deflateLazy();

    const deflate::LevelSettings* settings_ = nullptr;
    deflate::MatchFinder finder_;
    deflate::BitWriter bits_;
    deflate::BlockWriter blocks_;
    // Window position where the current block's input begins; negative once that input has
    // slid out of the window, when the block can no longer be written stored.
    std::int64_t blockStart_ = 0;
};

// The whole of `data` deflated at `level`.
std::vector<std::uint8_t> deflateBuffer(std::span<const std::uint8_t> data, int level);

} // namespace duebell::zip
