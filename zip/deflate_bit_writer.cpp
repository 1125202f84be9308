#include "zip/deflate_bit_writer.h"

#include <algorithm>

namespace duebell::zip::deflate {

void BitWriter::start(const OutputRoutine* output) {
    output_ = output;
    used_ = 0;
    flushed_ = 0;
    bitBuffer_ = 0;
    bitCount_ = 0;
}

void BitWriter::alignToByte() {
    if (bitCount_ % 8 != 0)
        putBits(0, 8 - bitCount_ % 8);
    putPendingBytes();
}

void BitWriter::putBytes(const std::uint8_t* data, std::size_t length) {
    putPendingBytes();
    while (length > 0) {
        if (used_ == BufferSize)
            drain();
        const std::size_t piece = std::min(length, BufferSize - used_);
        std::memcpy(buffer_ + used_, data, piece);
        used_ += piece;
        data += piece;
        length -= piece;
    }
}

void BitWriter::finish() {
    alignToByte();
    drain();
}

// Moves whole pending bytes from the bit buffer into the output buffer.
void BitWriter::putPendingBytes() {
    while (bitCount_ >= 8) {
        if (used_ == BufferSize)
            drain();
        buffer_[used_++] = static_cast<std::uint8_t>(bitBuffer_);
        bitBuffer_ >>= 8;
        bitCount_ -= 8;
    }
}

void BitWriter::drain() {
    if (used_ > 0)
        (*output_)(buffer_, used_);
    flushed_ += used_;
    used_ = 0;
}

} // namespace duebell::zip::deflate
