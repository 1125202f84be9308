// Packs deflate codes least significant bit first into a 1024-byte output buffer that is
// handed to the caller's output routine whenever it is full and at the end.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>

namespace duebell::zip::deflate {

using OutputRoutine = std::function<void(const std::uint8_t* data, std::size_t length)>;

class BitWriter {
public:
    static constexpr std::size_t BufferSize = 1024;

    void start(const OutputRoutine* output);

    // Appends up to 32 bits, lowest first.
    void putBits(std::uint32_t bits, unsigned count) {
        bitBuffer_ |= static_cast<std::uint64_t>(bits) << bitCount_;
        bitCount_ += count;
        if (bitCount_ >= 32) {
            if (used_ + 4 > BufferSize)
                drain();
            const std::uint32_t word = static_cast<std::uint32_t>(bitBuffer_);
            buffer_[used_] = static_cast<std::uint8_t>(word);
            buffer_[used_ + 1] = static_cast<std::uint8_t>(word >> 8);
            buffer_[used_ + 2] = static_cast<std::uint8_t>(word >> 16);
            buffer_[used_ + 3] = static_cast<std::uint8_t>(word >> 24);
            used_ += 4;
            bitBuffer_ >>= 32;
            bitCount_ -= 32;
        }
    }

    // Pads with zero bits to the next byte boundary.
    void alignToByte();
    // Whole bytes; the writer must be at a byte boundary.
    void putBytes(const std::uint8_t* data, std::size_t length);
    // Writes out every pending bit (padded to a byte) and empties the buffer.
    void finish();

    // Bits written so far, pending ones included.
    std::uint64_t bitPosition() const { return (flushed_ + used_) * 8 + bitCount_; }
    std::uint64_t bytesWritten() const { return flushed_ + used_; }

private:
    void putPendingBytes();
    void drain();

    const OutputRoutine* output_ = nullptr;
    std::uint8_t buffer_[BufferSize];
    std::size_t used_ = 0;
    std::uint64_t flushed_ = 0;
    std::uint64_t bitBuffer_ = 0;
    unsigned bitCount_ = 0;
};

} // namespace duebell::zip::deflate
